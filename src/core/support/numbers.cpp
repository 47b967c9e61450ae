#include "support/numbers.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "support/locale.h"

namespace mervanta {

namespace {

constexpr std::size_t kMaxNumberLength = 24;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

locale_t NeutralLocale() {
  static locale_t locale = newlocale(LC_NUMERIC_MASK, "C", nullptr);
  return locale;
}

// Checks [sign] digits [sep digits] [E [sign] digits] with at least one mantissa digit and
// copies it into `out` with "." as separator. Returns false for anything else.
bool CopyNumberSyntax(std::string_view text, char separator, char* out, std::size_t capacity,
                      bool& integral) {
  if (text.empty() || text.size() >= capacity) return false;
  std::size_t i = 0, o = 0;
  if (text[i] == '+' || text[i] == '-') out[o++] = text[i++];
  std::size_t mantissaDigits = 0;
  while (i < text.size() && IsDigit(text[i])) out[o++] = text[i++], ++mantissaDigits;
  integral = true;
  if (i < text.size() && text[i] == separator) {
    integral = false;
    out[o++] = '.';
    ++i;
    while (i < text.size() && IsDigit(text[i])) out[o++] = text[i++], ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    integral = false;
    out[o++] = 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) out[o++] = text[i++];
    std::size_t exponentDigits = 0;
    while (i < text.size() && IsDigit(text[i])) out[o++] = text[i++], ++exponentDigits;
    if (exponentDigits == 0) return false;
  }
  out[o] = '\0';
  return i == text.size();
}

bool ConvertNumberSyntax(const char* syntax, bool integral, std::size_t length, TNumber& value) {
  // Up to 18 digits are exact in the 64-bit mantissa, which the plain loop keeps.
  if (integral && length <= 19) {
    const char* p = syntax;
    bool negative = *p == '-';
    if (*p == '+' || *p == '-') ++p;
    if (std::char_traits<char>::length(p) <= 18) {
      long long whole = 0;
      for (; *p != '\0'; ++p) whole = whole * 10 + (*p - '0');
      value = negative ? -static_cast<TNumber>(whole) : static_cast<TNumber>(whole);
      return true;
    }
  }
  char* end = nullptr;
  TNumber result = strtold_l(syntax, &end, NeutralLocale());
  if (*end != '\0' || std::isinf(result) || std::isnan(result)) return false;
  value = result;
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
  if (text.empty() || text.size() > kMaxNumberLength) return false;
  std::size_t separatorAt = std::string_view::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == ',' || c == '.') {
      separatorAt = i;
    } else if (!IsDigit(c) && c != '+' && c != '-' && c != 'E' && c != 'e') {
      return false;
    }
  }
  // Only the last comma or full stop becomes the separator; any other one spoils the number.
  char buffer[kMaxNumberLength + 2];
  char separator = separatorAt == std::string_view::npos ? '.' : text[separatorAt];
  if (separatorAt != std::string_view::npos &&
      text.substr(0, separatorAt).find_first_of(",.") != std::string_view::npos) {
    return false;
  }
  bool integral;
  if (!CopyNumberSyntax(text, separator, buffer, sizeof buffer, integral)) return false;
  return ConvertNumberSyntax(buffer, integral, text.size(), value);
}

bool TryParseFloat(std::string_view text, char decimalSeparator, TNumber& value) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  char buffer[512];
  bool integral;
  if (!CopyNumberSyntax(text, decimalSeparator, buffer, sizeof buffer, integral)) return false;
  return ConvertNumberSyntax(buffer, integral, text.size(), value);
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
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", precision - 1, value);
  // buffer: [-]d.ddddde[+-]x
  std::string_view text(buffer);
  bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  std::size_t e = text.find('e');
  int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (IsDigit(c)) digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  bool fixed = exponent >= -5 && exponent < precision;
  if (fixed) {
    if (exponent < 0) {
      out += "0";
      out += decimalSeparator;
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else {
      std::size_t whole = static_cast<std::size_t>(exponent) + 1;
      if (digits.size() <= whole) {
        out += digits;
        out.append(whole - digits.size(), '0');
      } else {
        out += digits.substr(0, whole);
        out += decimalSeparator;
        out += digits.substr(whole);
      }
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += exponent < 0 ? "E-" : "E+";
  out += std::to_string(std::abs(exponent));
  return out;
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
  std::snprintf(buffer, sizeof buffer, "%.2f", scaled);
  std::string_view text(buffer);
  std::size_t point = text.find('.');
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
