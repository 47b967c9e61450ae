#pragma once

#include <string>
#include <string_view>

#include "support/numbers.h"

namespace mervanta {

// Writes `value` into `out` as the float-format pattern says, with the locale's separators:
//   0  a digit, shown even when it is a leading or trailing zero
//   #  a digit, left out when it is a leading or trailing zero
//   .  where the decimal separator goes (the first one only)
//   ,  anywhere: groups the integral digits by three with the thousands separator
//   E+ E- e+ e-  scientific notation; the zeros after it give the exponent's least digits,
//      "+" shows the exponent's sign always, "-" only when negative
//   "text" or 'text'  copied as it stands; any other character is copied too
// Up to three sections separated by ";" serve positive, negative and zero values; an empty or
// missing negative section falls back to the first with a leading "-", an empty or missing
// zero section to the first. A value that rounds to zero is formatted as zero. Rounding is
// half away from zero on the value's 18 significant digits. An empty pattern gives the
// general form of the number. The text is cut to the length a field may hold.
void FormatFloat(std::string_view pattern, TNumber value, std::string& out);

}  // namespace mervanta
