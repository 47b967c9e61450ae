#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

// Cell numbers are 80-bit extended values.
using TNumber = long double;

// A copy whose last comma or full stop, if any, is the locale's decimal separator.
std::string NormaliseDecimalText(std::string_view text);

// The strict number reading that tables, searches and formulas share: 1 to 24 characters of
// digits, "+", "-", ",", ".", "E" and "e"; the last comma or full stop is the decimal
// separator. `value` is written only on success.
bool TryReadNumber(std::string_view text, TNumber& value);

// Reading with a fixed decimal separator, as stored settings use ".". Blanks around are
// ignored, and so are texts of more than 511 characters.
bool TryParseFloat(std::string_view text, char decimalSeparator, TNumber& value);
// The reading of a cell text where a number is needed: blanks around are ignored, the last
// comma or full stop is the decimal separator (a text without either may use the locale's
// own), and a text of any length is read.
bool TryParseNumber(std::string_view text, TNumber& value);
// The same number handed back as such, NaN when the text is no number: an 80-bit number
// written to memory and read back at once costs more than reading a short text.
TNumber ParseNumber(std::string_view text);
// Decimal, or hexadecimal after "$" or "0x", with an optional sign; must fit 32 bits.
bool TryParseInteger(std::string_view text, int& value);

// Up to `precision` significant digits without trailing zeros; fixed notation when the
// magnitude is at least 0.00001 and the integral part fits the precision, else scientific
// ("1.5E+20", "1E-7").
std::string FormatGeneral(TNumber value, int precision, char decimalSeparator);
// The same into `text`, which keeps its capacity.
void FormatGeneral(TNumber value, int precision, char decimalSeparator, std::string& text);

// "1 234 567": a blank before every group of three digits.
std::string GroupedCount(std::int64_t count);
// The decimal text with "0" added on the left up to `width` characters.
std::string ZeroPadded(long long value, int width);
// "100 b", "1.5 Kb", "2 Mb" with the locale's separators; "???" when the file cannot be read.
std::string FileSizeText(const std::string& path);

}  // namespace mervanta
