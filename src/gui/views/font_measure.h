#pragma once

#include <QFontMetrics>

#include "views/text_measure.h"

namespace mervanta {

// Measures cell texts, which are in the table's code page, in a Qt font.
class TFontMeasure final : public TTextMeasure {
 public:
  explicit TFontMeasure(const QFont& font) : Metrics_(font) {}

  int TextWidth(std::string_view text) const override;
  int LineHeight() const override { return Metrics_.height(); }

 private:
  QFontMetrics Metrics_;
};

}  // namespace mervanta
