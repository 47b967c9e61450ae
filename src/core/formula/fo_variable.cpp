#include "formula/fo_variable.h"

#include "support/locale.h"

namespace mervanta {

void NumberToText(TNumber value, std::string& text) {
  FormatGeneral(value, 15, TLocale::Current().DecimalSeparator(), text);
}

}  // namespace mervanta
