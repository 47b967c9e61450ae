#include "formula/float_format.h"

#include <gtest/gtest.h>

#include "formula/fo_variable.h"

namespace mervanta::test {
namespace {

std::string Format(std::string_view pattern, TNumber value) {
  std::string out = "stale";
  FormatFloat(pattern, value, out);
  return out;
}

TEST(FloatFormat, FollowsThePattern) {
  struct TCase {
    const char* Pattern;
    TNumber Value;
    const char* Expected;
  };
  const TCase cases[] = {
      {"0.00", 1234.5678L, "1234.57"},
      {"0", 123456789, "123456789"},
      {"000", 7, "007"},
      {"0", 0, "0"},
      {"#", 0, ""},
      {"#.##", 0.5L, ".5"},
      {"0.##", 1.5L, "1.5"},
      {"0.##", 2, "2"},
      {"0.0#", 2, "2.0"},
      {"0.000", 1e-10L, "0.000"},
      // Rounding is half away from zero on the decimal digits.
      {"0", 2.5L, "3"},
      {"0", -2.5L, "-3"},
      {"0", 0.5L, "1"},
      {"0.0", 0.05L, "0.1"},
      {"0.00", 1.005L, "1.01"},
      {"0.###", 1.0005L, "1.001"},
      {"0.00", 9.999L, "10.00"},
      // Grouping.
      {"#,##0", 999, "999"},
      {"#,##0", 1000, "1,000"},
      {"#,##0", -1234567, "-1,234,567"},
      {"#,##0.00", 1234567.891L, "1,234,567.89"},
      {"#,##0", 1e20L, "100,000,000,000,000,000,000"},
      {"0,000", 12, "0,012"},
      // Scientific notation.
      {"0.00E+00", 12345, "1.23E+04"},
      {"0.00E-00", 12345, "1.23E04"},
      {"0.00e-0", 0.000123L, "1.23e-4"},
      {"0.00E+00", 9.999L, "1.00E+01"},
      {"00.0E+0", 12345, "12.3E+3"},
      {".00E+00", 12345, ".12E+05"},
      {"0.0E+00", 0, "0.0E+00"},
      {"0E+", 12345, "1E+4"},
      {"0E+0", -5, "-5E+0"},
      // Literal text.
      {"\"$\"#,##0", 1234, "$1,234"},
      {"'Total: '0", 5, "Total: 5"},
      {"0 kg", 5, "5 kg"},
      {"0 'kg", 5, "5 kg"},
      {"#,##0.00 'kg'", 1234.5L, "1,234.50 kg"},
      {"00-00", 1234, "12-34"},
      {"Size 0", 3, "Size 3"},
      {"\"a;b\"0;x", 5, "a;b5"},
      // Sections.
      {"0.00;(0.00)", -5, "(5.00)"},
      {"0.00;(0.00)", 5, "5.00"},
      {"0.00;", -5, "-5.00"},
      {"0.00;;\"zero\"", 0, "zero"},
      {"0.00;;\"zero\"", -5, "-5.00"},
      {"0.0", -0.01L, "0.0"},
      {"0.0;(0.0)", -0.01L, "0.0"},
      {"0.0;(0.0);\"nil\"", -0.01L, "nil"},
      {"0;-0;zero;ignored", 0, "zero"},
      {"", 2.5L, "2.5"},
      {";x", 5, "5"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Pattern);
    EXPECT_EQ(Format(test.Pattern, test.Value), test.Expected);
  }
}

TEST(FloatFormat, WritesEveryIntegralDigitAndCutsAtTheFieldLength) {
  const std::string huge = Format("0", 1e4000L);
  EXPECT_EQ(huge.size(), 4001u);
  EXPECT_EQ(huge.substr(0, 3), "100");
  EXPECT_EQ(Format("0." + std::string(70000, '0'), 1).size(), kMaxTextLength);
  EXPECT_EQ(Format("0E+" + std::string(70000, '0'), 1).size(), kMaxTextLength);
  EXPECT_EQ(Format(std::string(70000, 'x'), 1).size(), kMaxTextLength);
  EXPECT_EQ(Format(std::string(1000000, ';'), 5), "5");
}

}  // namespace
}  // namespace mervanta::test
