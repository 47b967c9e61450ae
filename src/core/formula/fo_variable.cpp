#include "formula/fo_variable.h"

#include <algorithm>

#include "support/locale.h"

namespace mervanta {

void AppendBounded(std::string& text, std::string_view piece) {
  if (text.size() >= kMaxTextLength) return;
  text.append(piece.substr(0, kMaxTextLength - text.size()));
}

bool TryTextToNumber(std::string_view text, TNumber& value) {
  // Naming the text's own last comma or full stop as the separator reads it exactly as
  // replacing that character with the locale's separator would, without a copy.
  const std::size_t last = text.find_last_of(",.");
  const char separator =
      last == std::string_view::npos ? TLocale::Current().DecimalSeparator() : text[last];
  return TryParseFloat(text, separator, value);
}

void NumberToText(TNumber value, std::string& text) {
  text = FormatGeneral(value, 15, TLocale::Current().DecimalSeparator());
}

}  // namespace mervanta
