#pragma once

#include <QFontMetrics>

#include "views/text_measure.h"
#include "views/wrap_measure.h"

namespace mervanta {

// Measures cell texts and captions, which are in the table's code page, in a Qt font.
class TFontMeasure final : public TTextMeasure, public TWrapMeasure {
 public:
  explicit TFontMeasure(const QFont& font) : Metrics_(font) {}

  int TextWidth(std::string_view text) const override;
  int LineHeight() const override { return Metrics_.height(); }
  int WrappedHeight(std::string_view text, int width, bool wordWrap) const override;

 private:
  QFontMetrics Metrics_;
};

}  // namespace mervanta
