#include "views/font_measure.h"

#include <QString>

#include "support/locale.h"

namespace mervanta {

int TFontMeasure::TextWidth(std::string_view text) const {
  const std::string utf8 = AnsiToUtf8(text);
  return Metrics_.horizontalAdvance(
      QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

}  // namespace mervanta
