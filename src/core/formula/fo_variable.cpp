#include "formula/fo_variable.h"

#include <algorithm>
#include <array>

#include "support/locale.h"

namespace mervanta {

namespace {

constexpr int kExactDigits = 18;

constexpr std::array<TNumber, kExactDigits + 1> kPowersOfTen = [] {
  std::array<TNumber, kExactDigits + 1> powers{};
  TNumber power = 1;
  for (TNumber& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}();

// The common cell text, a sign, digits and one comma or full stop, read in one pass with one
// division: 18 digits and the powers of ten up to 10^18 are exact in the 64-bit mantissa, and
// dividing exact numbers rounds correctly, so this gives the general reading's value at a
// fraction of its cost.
bool TryReadPlainDecimal(std::string_view text, TNumber& value) {
  std::size_t i = 0;
  const bool negative = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) ++i;
  std::uint64_t mantissa = 0;
  int digits = 0;
  int decimals = -1;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    if (c >= '0' && c <= '9') {
      if (++digits > kExactDigits) return false;
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(c - '0');
      if (decimals >= 0) ++decimals;
    } else if ((c == ',' || c == '.') && decimals < 0) {
      decimals = 0;
    } else {
      return false;
    }
  }
  if (digits == 0) return false;
  const TNumber magnitude = static_cast<TNumber>(mantissa) /
                            kPowersOfTen[static_cast<std::size_t>(std::max(decimals, 0))];
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool TryTextToNumber(std::string_view text, TNumber& value) {
  if (TryReadPlainDecimal(text, value)) return true;
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
