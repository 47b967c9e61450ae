#pragma once

#include <locale.h>

#include <cmath>
#include <string>
#include <string_view>

#include "support/numbers.h"

namespace mervanta::test {

// The C library's correctly rounded reading of a number text whose last comma or full stop
// is the decimal separator: what the program's own readings must give to the last bit. Only
// texts of the program's number syntax belong here; the library takes more than that.
inline bool LibraryNumber(std::string_view text, TNumber& value) {
  static const locale_t neutral = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  std::string normalised(text);
  const std::size_t separator = normalised.find_last_of(",.");
  if (separator != std::string::npos) normalised[separator] = '.';
  char* end = nullptr;
  const TNumber result = strtold_l(normalised.c_str(), &end, neutral);
  if (end != normalised.c_str() + normalised.size() || std::isinf(result)) return false;
  value = result;
  return true;
}

}  // namespace mervanta::test
