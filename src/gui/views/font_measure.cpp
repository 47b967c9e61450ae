#include "views/font_measure.h"

#include "views/qt_values.h"

namespace mervanta {

int TFontMeasure::TextWidth(std::string_view text) const {
  return Metrics_.horizontalAdvance(DisplayText(text));
}

}  // namespace mervanta
