#include "formula/float_format.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <iterator>

#include "formula/fo_variable.h"
#include "support/locale.h"

namespace mervanta {

namespace {

constexpr int kSignificantDigits = 18;

// A magnitude as 0.d1d2d3... times 10 to the power Point; no digits for zero.
struct TDecimal {
  std::array<char, kSignificantDigits> Digits{};
  int Count = 0;
  long long Point = 0;

  // The digit at `index` from the first significant one; zeros around them.
  char At(long long index) const {
    return index >= 0 && index < Count ? Digits[static_cast<std::size_t>(index)] : '0';
  }
};

// std::to_chars, unlike printf, writes the same whatever the C library's locale says.
TDecimal Expand(TNumber magnitude) {
  TDecimal decimal;
  if (magnitude == 0) return decimal;
  char buffer[48];
  const char* const end = std::to_chars(std::begin(buffer), std::end(buffer), magnitude,
                                        std::chars_format::scientific, kSignificantDigits - 1)
                              .ptr;
  const char* p = buffer;
  for (; *p != 'e'; ++p) {
    if (*p != '.') decimal.Digits[static_cast<std::size_t>(decimal.Count++)] = *p;
  }
  const bool negative = *++p == '-';
  int exponent = 0;
  std::from_chars(p + 1, end, exponent);
  decimal.Point = (negative ? -exponent : exponent) + 1;
  while (decimal.Count > 0 && decimal.Digits[static_cast<std::size_t>(decimal.Count - 1)] == '0') {
    --decimal.Count;
  }
  return decimal;
}

// Keeps `keep` significant digits, rounding half away from zero.
TDecimal Rounded(TDecimal decimal, long long keep) {
  if (keep >= decimal.Count) return decimal;
  if (keep < 0) return TDecimal{};
  const bool up = decimal.Digits[static_cast<std::size_t>(keep)] >= '5';
  decimal.Count = static_cast<int>(keep);
  if (up) {
    int i = decimal.Count - 1;
    for (; i >= 0 && decimal.Digits[static_cast<std::size_t>(i)] == '9'; --i) --decimal.Count;
    if (i >= 0) {
      ++decimal.Digits[static_cast<std::size_t>(i)];
    } else {
      decimal.Digits[0] = '1';
      decimal.Count = 1;
      ++decimal.Point;
    }
  }
  while (decimal.Count > 0 && decimal.Digits[static_cast<std::size_t>(decimal.Count - 1)] == '0') {
    --decimal.Count;
  }
  return decimal;
}

enum TElementKind { ekLiteral, ekZero, ekHash, ekPoint, ekComma, ekExponent };

struct TElement {
  TElementKind Kind;
  std::string_view Text;  // a literal, or "E+" and the like
  int ExponentDigits;
};

// Walks a section element by element; digits after the exponent are plain characters.
class TPatternWalker {
 public:
  explicit TPatternWalker(std::string_view section) : Section_(section) {}

  bool Next(TElement& element) {
    if (Position_ >= Section_.size()) return false;
    const std::size_t start = Position_;
    const char c = Section_[Position_++];
    element = {ekLiteral, Section_.substr(start, 1), 0};
    if (c == '"' || c == '\'') {
      const std::size_t close = Section_.find(c, Position_);
      const std::size_t end = close == std::string_view::npos ? Section_.size() : close;
      element.Text = Section_.substr(Position_, end - Position_);
      Position_ = std::min(Section_.size(), end + 1);
    } else if ((c == '0' || c == '#') && !AfterExponent_) {
      element.Kind = c == '0' ? ekZero : ekHash;
    } else if (c == '.') {
      element.Kind = ekPoint;
    } else if (c == ',') {
      element.Kind = ekComma;
    } else if ((c == 'E' || c == 'e') && !AfterExponent_ && Position_ < Section_.size() &&
               (Section_[Position_] == '+' || Section_[Position_] == '-')) {
      element.Kind = ekExponent;
      element.Text = Section_.substr(start, 2);
      ++Position_;
      while (Position_ < Section_.size() && Section_[Position_] == '0') {
        ++Position_;
        ++element.ExponentDigits;
      }
      AfterExponent_ = true;
    }
    return true;
  }

 private:
  std::string_view Section_;
  std::size_t Position_ = 0;
  bool AfterExponent_ = false;
};

struct TLayout {
  int IntegerPlaces = 0;
  int ForcedIntegers = 0;  // from the first integral "0" to the decimal point
  int DecimalPlaces = 0;
  int ForcedDecimals = 0;  // up to the last decimal "0"
  bool HasPoint = false;
  bool Grouping = false;
  bool Scientific = false;
};

TLayout Analyse(std::string_view section) {
  TLayout layout;
  int firstZero = -1;
  TPatternWalker walker(section);
  TElement element;
  while (walker.Next(element)) {
    switch (element.Kind) {
      case ekZero:
      case ekHash:
        if (layout.HasPoint) {
          ++layout.DecimalPlaces;
          if (element.Kind == ekZero) layout.ForcedDecimals = layout.DecimalPlaces;
        } else {
          if (element.Kind == ekZero && firstZero < 0) firstZero = layout.IntegerPlaces;
          ++layout.IntegerPlaces;
        }
        break;
      case ekPoint:
        layout.HasPoint = true;
        break;
      case ekComma:
        layout.Grouping = true;
        break;
      case ekExponent:
        layout.Scientific = true;
        break;
      case ekLiteral:
        break;
    }
  }
  if (firstZero >= 0) layout.ForcedIntegers = layout.IntegerPlaces - firstZero;
  if (layout.Scientific) layout.Grouping = false;
  return layout;
}

// Writes one section for a magnitude already rounded to it.
class TSectionWriter {
 public:
  TSectionWriter(const TLayout& layout, const TDecimal& digits, long long exponent,
                 std::string& out)
      : Layout_(layout), Digits_(digits), Exponent_(exponent), Out_(out) {
    const long long integral = std::max<long long>(Digits_.Point, 0);
    IntegralLength_ = std::max<long long>(integral, Layout_.ForcedIntegers);
    Padding_ = IntegralLength_ - integral;
    ShownDecimals_ = std::max<long long>(Layout_.ForcedDecimals, Digits_.Count - Digits_.Point);
  }

  void Write(std::string_view section) {
    const TLocaleSettings& locale = TLocale::Current().Settings();
    TPatternWalker walker(section);
    TElement element;
    int integerPlace = 0;
    long long decimalPlace = 0;
    bool pointDone = false;
    while (walker.Next(element)) {
      switch (element.Kind) {
        case ekZero:
        case ekHash:
          if (!pointDone) {
            WriteIntegral(IntegralLength_ - Layout_.IntegerPlaces + ++integerPlace,
                          locale.ThousandSeparator);
          } else if (++decimalPlace <= ShownDecimals_) {
            Put(Digits_.At(Digits_.Point + decimalPlace - 1));
          }
          break;
        case ekPoint:
          if (pointDone) break;
          pointDone = true;
          WriteIntegral(IntegralLength_, locale.ThousandSeparator);
          if (ShownDecimals_ > 0) Put(locale.DecimalSeparator);
          break;
        case ekExponent:
          WriteIntegral(IntegralLength_, locale.ThousandSeparator);
          WriteExponent(element);
          break;
        case ekComma:
          break;
        case ekLiteral:
          AppendBounded(Out_, element.Text);
          break;
      }
    }
  }

 private:
  void Put(char c) {
    if (Out_.size() < kMaxTextLength) Out_ += c;
  }

  // Writes the integral digits up to `end`; the first placeholder takes any digits beyond
  // the placeholders.
  void WriteIntegral(long long end, char separator) {
    for (; Written_ < end && Out_.size() < kMaxTextLength; ++Written_) {
      Put(Written_ < Padding_ ? '0' : Digits_.At(Written_ - Padding_));
      const long long remaining = IntegralLength_ - 1 - Written_;
      if (Layout_.Grouping && remaining > 0 && remaining % 3 == 0) Put(separator);
    }
  }

  void WriteExponent(const TElement& element) {
    Put(element.Text[0]);
    if (Exponent_ < 0) {
      Put('-');
    } else if (element.Text[1] == '+') {
      Put('+');
    }
    char digits[24];
    const auto length = static_cast<int>(
        std::to_chars(std::begin(digits), std::end(digits), std::llabs(Exponent_)).ptr - digits);
    for (int i = length; i < element.ExponentDigits && Out_.size() < kMaxTextLength; ++i) Put('0');
    AppendBounded(Out_, std::string_view(digits, static_cast<std::size_t>(length)));
  }

  const TLayout& Layout_;
  const TDecimal& Digits_;
  long long Exponent_;
  std::string& Out_;
  long long IntegralLength_ = 0;
  long long Padding_ = 0;
  long long ShownDecimals_ = 0;
  long long Written_ = 0;
};

// The sections for positive, negative and zero values; ";" inside quotes does not split, and
// whatever follows a third ";" is not used.
std::array<std::string_view, 3> Sections(std::string_view pattern) {
  std::array<std::string_view, 3> sections;
  std::size_t count = 0;
  std::size_t start = 0;
  char quote = 0;
  for (std::size_t i = 0; i <= pattern.size() && count < sections.size(); ++i) {
    if (i == pattern.size() || (quote == 0 && pattern[i] == ';')) {
      sections[count++] = pattern.substr(start, i - start);
      start = i + 1;
    } else if (quote != 0) {
      if (pattern[i] == quote) quote = 0;
    } else if (pattern[i] == '"' || pattern[i] == '\'') {
      quote = pattern[i];
    }
  }
  return sections;
}

// Rounds the magnitude to the section; for scientific notation also gives the exponent.
TDecimal RoundToLayout(TNumber magnitude, const TLayout& layout, long long& exponent) {
  const TDecimal full = Expand(magnitude);
  exponent = 0;
  if (!layout.Scientific) return Rounded(full, full.Point + layout.DecimalPlaces);
  const int integral = layout.IntegerPlaces + layout.DecimalPlaces == 0 ? 1 : layout.IntegerPlaces;
  TDecimal mantissa = Rounded(full, integral + layout.DecimalPlaces);
  if (mantissa.Count > 0) exponent = mantissa.Point - integral;
  mantissa.Point = integral;
  return mantissa;
}

}  // namespace

void FormatFloat(std::string_view pattern, TNumber value, std::string& out) {
  out.clear();
  const std::array<std::string_view, 3> sections = Sections(pattern);
  const int zeroSection = sections[2].empty() ? 0 : 2;
  int section = value == 0 ? zeroSection : value < 0 && !sections[1].empty() ? 1 : 0;
  TLayout layout = Analyse(sections[static_cast<std::size_t>(section)]);
  long long exponent;
  TDecimal digits = RoundToLayout(std::fabs(value), layout, exponent);
  const bool zero = digits.Count == 0;
  if (zero && section != zeroSection) {
    section = zeroSection;
    layout = Analyse(sections[static_cast<std::size_t>(section)]);
    digits = RoundToLayout(0, layout, exponent);
  }
  if (sections[static_cast<std::size_t>(section)].empty()) {
    NumberToText(value, out);
    return;
  }
  if (section == 0 && value < 0 && !zero) out += '-';
  TSectionWriter(layout, digits, exponent, out).Write(sections[static_cast<std::size_t>(section)]);
}

}  // namespace mervanta
