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
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  // Digits beyond what fits wrap the mantissa; the count below refuses such texts anyway.
  std::uint64_t mantissa = 0;
  const auto readDigits = [&p, end, &mantissa] {
    const char* const start = p;
    for (; p != end && static_cast<unsigned char>(*p - '0') < 10; ++p) {
      mantissa = mantissa * 10 + static_cast<std::uint64_t>(*p - '0');
    }
    return p - start;
  };
  const auto integral = readDigits();
  std::ptrdiff_t decimals = 0;
  if (p != end && (*p == ',' || *p == '.')) {
    ++p;
    decimals = readDigits();
  }
  if (p != end || integral + decimals == 0 || integral + decimals > kExactDigits) return false;
  // Below 10^18 the mantissa converts exactly, and as a signed number in one instruction.
  TNumber magnitude = static_cast<TNumber>(static_cast<std::int64_t>(mantissa));
  if (decimals > 0) magnitude /= kPowersOfTen[static_cast<std::size_t>(decimals)];
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
