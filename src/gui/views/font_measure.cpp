#include "views/font_measure.h"

#include <algorithm>

#include "settings/qt_values.h"

namespace mervanta {

int TFontMeasure::TextWidth(std::string_view text) const {
  return Metrics_.horizontalAdvance(DisplayText(text));
}

int TFontMeasure::WrappedHeight(std::string_view text, int width, bool wordWrap) const {
  // Tall enough that the text is never cut: only its own height is wanted.
  const QRect area(0, 0, std::max(width, 0), 1 << 20);
  return Metrics_.boundingRect(area, wordWrap ? Qt::TextWordWrap : 0, DisplayText(text)).height();
}

}  // namespace mervanta
