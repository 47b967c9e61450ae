#include "support/numbers.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <limits>

#include "support/locale.h"

namespace mervanta {

namespace {

constexpr std::size_t kMaxNumberLength = 24;
// Longer texts are no numbers to the reading of stored settings.
constexpr std::size_t kMaxFloatLength = 511;
// Up to 19 digits are below 2^64, and the powers of ten up to 10^27 below 2^64 times a power
// of two, so both are exact in the 64-bit mantissa of a TNumber.
constexpr int kExactDigits = 19;
constexpr int kExactPowers = 27;
// Up to 18 digits are below 2^63 and convert as a signed number, in one instruction.
constexpr int kPlainDigits = 18;
template <typename TValue, std::size_t kCount>
constexpr std::array<TValue, kCount> PowersOfTen() {
  std::array<TValue, kCount> powers{};
  TValue power = 1;
  for (TValue& entry : powers) {
    entry = power;
    power *= 10;
  }
  return powers;
}

constexpr auto kPowersOfTen = PowersOfTen<TNumber, kExactPowers + 1>();
// The powers a plain decimal divides by, exact as doubles too (up to 10^22), which load in
// one step where an 80-bit number takes several.
constexpr auto kPlainPowersOfTen = PowersOfTen<double, kPlainDigits + 1>();

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

locale_t NeutralLocale() {
  static locale_t locale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  return locale;
}

// The readings below hand their value back as such, with NaN for "no number", which no
// text of their syntax reads as: an 80-bit number passed through memory costs more than
// the reading itself.
constexpr TNumber kNoNumber = std::numeric_limits<TNumber>::quiet_NaN();

// A text whose syntax is checked already, read by the C library in its neutral locale;
// `separator` points at its decimal separator or is null.
TNumber ConvertWithLibrary(std::string_view text, const char* separator) {
  // The rare text longer than the buffer on the stack takes one of its own.
  char local[kMaxFloatLength + 1];
  std::string longer;
  char* buffer = local;
  if (text.size() >= sizeof local) {
    longer.resize(text.size());
    buffer = longer.data();
  }
  std::memcpy(buffer, text.data(), text.size());
  buffer[text.size()] = '\0';
  if (separator != nullptr) buffer[separator - text.data()] = '.';
  char* end = nullptr;
  const TNumber result = strtold_l(buffer, &end, NeutralLocale());
  return end == buffer + text.size() && std::isfinite(result) ? result : kNoNumber;
}

// 0 to 9 for a digit, above 9 for any other character.
unsigned DigitValue(char c) {
  return static_cast<unsigned char>(c) - unsigned{'0'};
}

// Adds the digits from `p` on to `number`; returns where they end. More digits than the
// number holds wrap it, which the callers account for.
template <typename TInteger>
const char* ReadDigits(const char* p, const char* end, TInteger& number) {
  for (unsigned digit; p != end && (digit = DigitValue(*p)) < 10; ++p) number = number * 10 + digit;
  return p;
}

// The common cell number, [sign] digits [separator digits] with at most kPlainDigits, where
// `isSeparator` tells the separator: such digits and their power of ten are exact, so one
// division rounds exactly as the C library's reading does. One short pass; NaN for
// anything else, which ReadDecimal takes.
template <typename TIsSeparator>
TNumber ReadPlainDecimal(std::string_view text, TIsSeparator isSeparator) {
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (p != end && (*p == '-' || *p == '+')) ++p;
  std::uint64_t mantissa = 0;
  const char* const integral = p;
  p = ReadDigits(p, end, mantissa);
  std::ptrdiff_t digits = p - integral;
  std::ptrdiff_t decimals = 0;
  if (p != end && isSeparator(*p)) {
    const char* const fraction = ++p;
    p = ReadDigits(p, end, mantissa);
    decimals = p - fraction;
    digits += decimals;
  }
  if (p != end || digits == 0 || digits > kPlainDigits) return kNoNumber;
  TNumber magnitude = static_cast<TNumber>(static_cast<std::int64_t>(mantissa));
  if (decimals > 0) magnitude /= kPlainPowersOfTen[static_cast<std::size_t>(decimals)];
  return negative ? -magnitude : magnitude;
}

// The syntax all readings share, [sign] digits [separator digits] [E [sign] digits] with at
// least one digit before the exponent, where `isSeparator` tells the decimal separator. The
// value is the correctly rounded one the C library gives: when the digits and the power of
// ten are both exact, one multiplication or division rounds exactly as the library does,
// which leaves the library only the rare texts with more digits or far exponents.
template <typename TIsSeparator>
TNumber ReadDecimal(std::string_view text, TIsSeparator isSeparator) {
  const char* p = text.data();
  const char* const end = p + text.size();
  bool negative = false;
  if (p != end && (*p == '-' || *p == '+')) negative = *p++ == '-';
  std::uint64_t mantissa = 0;
  const char* const integral = p;
  p = ReadDigits(p, end, mantissa);
  const char* separatorAt = nullptr;
  int decimals = 0;
  if (p != end && isSeparator(*p)) {
    separatorAt = p;
    p = ReadDigits(p + 1, end, mantissa);
    decimals = static_cast<int>(p - separatorAt - 1);
  }
  const std::ptrdiff_t digits = p - integral - (separatorAt != nullptr);
  if (digits == 0) return kNoNumber;
  int exponent = 0;
  if (p != end && (*p == 'E' || *p == 'e')) {
    bool negativeExponent = false;
    if (++p != end && (*p == '-' || *p == '+')) negativeExponent = *p++ == '-';
    // Longer exponents are left to the library, so that the count cannot overflow.
    const char* const exponentDigits = p;
    p = ReadDigits(p, std::min(end, p + 5), exponent);
    if (p == exponentDigits) return kNoNumber;
    if (p != end && DigitValue(*p) < 10) return ConvertWithLibrary(text, separatorAt);
    if (negativeExponent) exponent = -exponent;
  }
  if (p != end) return kNoNumber;
  exponent -= decimals;
  if (digits > kExactDigits || exponent < -kExactPowers || exponent > kExactPowers) {
    return ConvertWithLibrary(text, separatorAt);
  }
  TNumber magnitude = static_cast<TNumber>(mantissa);
  if (exponent > 0) magnitude *= kPowersOfTen[static_cast<std::size_t>(exponent)];
  if (exponent < 0) magnitude /= kPowersOfTen[static_cast<std::size_t>(-exponent)];
  return negative ? -magnitude : magnitude;
}

// The plain decimals' short pass, then the whole syntax for what it leaves.
template <typename TIsSeparator>
TNumber ReadNumberText(std::string_view text, TIsSeparator isSeparator) {
  const TNumber plain = ReadPlainDecimal(text, isSeparator);
  return std::isnan(plain) ? ReadDecimal(text, isSeparator) : plain;
}

bool Found(TNumber number, TNumber& value) {
  if (std::isnan(number)) return false;
  value = number;
  return true;
}

bool IsCommaOrFullStop(char c) {
  return c == ',' || c == '.';
}

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

// The significant digits of a finite, non-zero number without trailing zeros, and its
// decimal exponent, as the correctly rounded scientific notation gives them.
struct TPrintedDigits {
  char Digits[64];
  std::size_t Count = 0;
  int Exponent = 0;
};

// std::to_chars, unlike printf, writes the same whatever the C library's locale says.
void PrintDigits(TNumber value, int precision, TPrintedDigits& printed) {
  char buffer[sizeof printed.Digits];
  const char* const end = std::to_chars(std::begin(buffer), std::end(buffer), value,
                                        std::chars_format::scientific, precision - 1)
                              .ptr;
  // buffer: [-]d.ddddde[+-]x
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t e = text.find('e');
  for (char c : text.substr(0, e)) {
    if (IsDigit(c)) printed.Digits[printed.Count++] = c;
  }
  while (printed.Count > 1 && printed.Digits[printed.Count - 1] == '0') --printed.Count;
  std::from_chars(text.data() + e + 2, text.data() + text.size(), printed.Exponent);
  if (text[e + 1] == '-') printed.Exponent = -printed.Exponent;
}

// The same digits without printf, for a magnitude that scales into the precision's digits by
// one exact power of ten. The scaled number is rounded once, so it is within half its last
// bit of the exact one, and its nearest integer is printf's digits unless it lies that close
// to a half or to either end of the range; then this gives up.
bool TryScaleDigits(TNumber magnitude, int precision, TPrintedDigits& printed) {
  if (precision < 1 || precision > 18) return false;
  const TNumber bottom = kPowersOfTen[static_cast<std::size_t>(precision - 1)];
  const TNumber top = kPowersOfTen[static_cast<std::size_t>(precision)];
  // floor(log10(2) * the binary exponent), exact for binary exponents this small, is the
  // decimal exponent or one below it.
  const int binaryExponent = std::ilogb(magnitude);
  if (binaryExponent < -500 || binaryExponent > 500) return false;
  int exponent = (binaryExponent * 1233) >> 12;
  TNumber scaled = 0;
  for (int tries = 0; tries < 2; ++tries) {
    const int power = precision - 1 - exponent;
    if (power < -kExactPowers || power > kExactPowers) return false;
    scaled = power >= 0 ? magnitude * kPowersOfTen[static_cast<std::size_t>(power)]
                        : magnitude / kPowersOfTen[static_cast<std::size_t>(-power)];
    if (scaled < top) break;
    ++exponent;
  }
  const TNumber slack = scaled * 0x1p-62L;
  if (scaled - bottom < slack || top - scaled < slack) return false;
  long long digits = std::llrint(scaled);
  if (0.5L - std::fabs(scaled - static_cast<TNumber>(digits)) < slack || digits >= top) {
    return false;
  }
  for (long long tenth = digits / 10; tenth * 10 == digits; tenth = digits / 10) digits = tenth;
  printed.Count = static_cast<std::size_t>(
      std::to_chars(std::begin(printed.Digits), std::end(printed.Digits), digits).ptr -
      printed.Digits);
  printed.Exponent = exponent;
  return true;
}

std::string GroupDigits(std::string_view digits, char separator) {
  std::string out;
  out.reserve(digits.size() + digits.size() / 3);
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out += separator;
    out += digits[i];
  }
  return out;
}

}  // namespace

std::string NormaliseDecimalText(std::string_view text) {
  std::string out(text);
  std::size_t last = out.find_last_of(",.");
  if (last != std::string::npos) out[last] = TLocale::Current().DecimalSeparator();
  return out;
}

bool TryReadNumber(std::string_view text, TNumber& value) {
  // The syntax allows one separator, so whichever of the two it is, it is the last one.
  return text.size() <= kMaxNumberLength && Found(ReadNumberText(text, IsCommaOrFullStop), value);
}

bool TryParseFloat(std::string_view text, char decimalSeparator, TNumber& value) {
  text = TrimBlanks(text);
  return text.size() <= kMaxFloatLength &&
         Found(ReadNumberText(text, [decimalSeparator](char c) { return c == decimalSeparator; }),
               value);
}

TNumber ParseNumber(std::string_view text) {
  // Plain decimals have no blanks around.
  const TNumber plain = ReadPlainDecimal(text, IsCommaOrFullStop);
  if (!std::isnan(plain)) return plain;
  text = TrimBlanks(text);
  const TNumber number = ReadDecimal(text, IsCommaOrFullStop);
  if (!std::isnan(number)) return number;
  // A text without comma or full stop may still use a locale's other separator.
  const char separator = TLocale::Current().DecimalSeparator();
  if (IsCommaOrFullStop(separator)) return kNoNumber;
  return ReadNumberText(text, [separator](char c) { return c == separator; });
}

bool TryParseNumber(std::string_view text, TNumber& value) {
  return Found(ParseNumber(text), value);
}

bool TryParseInteger(std::string_view text, int& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() > 1 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return false;
  unsigned long long magnitude = 0;
  for (char c : text) {
    int digit = IsDigit(c)                           ? c - '0'
                : base == 16 && c >= 'a' && c <= 'f' ? c - 'a' + 10
                : base == 16 && c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
    if (digit < 0 || digit >= base) return false;
    magnitude = magnitude * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
    if (magnitude > 0xFFFFFFFFull) return false;
  }
  long long signedValue;
  if (base == 16) {
    // Hexadecimal spells the 32 bits, so $FFFFFFFF is -1.
    signedValue = static_cast<std::int32_t>(static_cast<std::uint32_t>(magnitude));
    if (negative) signedValue = -signedValue;
  } else {
    signedValue = negative ? -static_cast<long long>(magnitude) : static_cast<long long>(magnitude);
  }
  if (signedValue < INT_MIN || signedValue > INT_MAX) return false;
  value = static_cast<int>(signedValue);
  return true;
}

std::string FormatGeneral(TNumber value, int precision, char decimalSeparator) {
  std::string text;
  FormatGeneral(value, precision, decimalSeparator, text);
  return text;
}

void FormatGeneral(TNumber value, int precision, char decimalSeparator, std::string& text) {
  text.clear();
  // A whole number with no more digits than the precision is its digits, which is most
  // numbers a table shows.
  if (std::fabs(value) < kPowersOfTen[static_cast<std::size_t>(std::clamp(precision, 0, 18))]) {
    const long long whole = std::llrint(value);
    if (static_cast<TNumber>(whole) == value) {
      char digits[24];
      const char* const end = std::to_chars(std::begin(digits), std::end(digits), whole).ptr;
      text.append(digits, static_cast<std::size_t>(end - digits));
      return;
    }
  }
  if (std::isnan(value)) {
    text = "NAN";
    return;
  }
  if (std::isinf(value)) {
    text = value > 0 ? "INF" : "-INF";
    return;
  }
  TPrintedDigits printed;
  if (!TryScaleDigits(std::fabs(value), precision, printed)) PrintDigits(value, precision, printed);
  const std::string_view digits(printed.Digits, printed.Count);
  const int exponent = printed.Exponent;

  // [-] then fixed "ddd.ddd", "ddd000" or "0.000ddd", or scientific "d.dddE+x"; the text is
  // sized once and then written.
  std::string_view integral = digits.substr(0, 1);
  std::string_view fraction = digits.substr(1);
  std::size_t trailingZeros = 0;
  std::size_t leadingZeros = 0;
  char exponentText[8] = {'E', exponent < 0 ? '-' : '+'};
  std::size_t exponentLength = 0;
  if (exponent >= -5 && exponent < precision) {
    if (exponent < 0) {
      integral = "0";
      leadingZeros = static_cast<std::size_t>(-exponent - 1);
      fraction = digits;
    } else {
      const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
      integral = digits.substr(0, whole);
      trailingZeros = whole - integral.size();
      fraction = digits.substr(integral.size());
    }
  } else {
    exponentLength = static_cast<std::size_t>(
        std::to_chars(exponentText + 2, std::end(exponentText), std::abs(exponent)).ptr -
        exponentText);
  }
  const bool negative = value < 0;
  text.resize((negative ? 1 : 0) + integral.size() + trailingZeros +
              (fraction.empty() ? 0 : 1 + leadingZeros + fraction.size()) + exponentLength);
  char* out = text.data();
  if (negative) *out++ = '-';
  out = std::copy(integral.begin(), integral.end(), out);
  out = std::fill_n(out, trailingZeros, '0');
  if (!fraction.empty()) {
    *out++ = decimalSeparator;
    out = std::fill_n(out, leadingZeros, '0');
    out = std::copy(fraction.begin(), fraction.end(), out);
  }
  std::copy_n(exponentText, exponentLength, out);
}

std::string GroupedCount(std::int64_t count) {
  std::string digits = std::to_string(count);
  if (count < 0) return "-" + GroupDigits(std::string_view(digits).substr(1), ' ');
  return GroupDigits(digits, ' ');
}

std::string ZeroPadded(long long value, int width) {
  std::string text = std::to_string(value);
  if (static_cast<int>(text.size()) < width) {
    text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
  }
  return text;
}

std::string FileSizeText(const std::string& path) {
  // Non-blocking, so that naming a pipe cannot hang; only a regular file has a size to show.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return "???";
  struct stat info {};
  int rc = ::fstat(fd, &info);
  ::close(fd);
  if (rc != 0 || !S_ISREG(info.st_mode)) return "???";
  const long long size = info.st_size;
  if (size < 1024) return std::to_string(size) + " b";
  const bool megabytes = size >= 1048576;
  const double scaled = static_cast<double>(size) / (megabytes ? 1048576.0 : 1024.0);
  char buffer[64];
  const char* const end =
      std::to_chars(std::begin(buffer), std::end(buffer), scaled, std::chars_format::fixed, 2).ptr;
  const std::string_view text(buffer, static_cast<std::size_t>(end - buffer));
  const std::size_t point = text.find('.');
  std::string whole(text.substr(0, point));
  std::string decimals(text.substr(point + 1));
  const TLocaleSettings& locale = TLocale::Current().Settings();
  std::string out = GroupDigits(whole, locale.ThousandSeparator);
  if (decimals != "00") {
    if (decimals.back() == '0') decimals.pop_back();
    out += locale.DecimalSeparator;
    out += decimals;
  }
  return out + (megabytes ? " Mb" : " Kb");
}

}  // namespace mervanta
