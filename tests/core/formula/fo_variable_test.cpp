#include "formula/fo_variable.h"

#include <gtest/gtest.h>

#include <cmath>

#include "support/locale.h"

namespace mervanta::test {
namespace {

// Formulas read texts as the Part on numbers says: the last comma or full stop becomes the
// locale's separator, then the locale-aware reading. The shortcut for plain decimals must
// agree with that to the last bit.
TEST(FoVariable, ReadsTextsAsTheLocaleReadingDoes) {
  const char* texts[] = {"0",
                         "-0",
                         "+7",
                         "123456.78",
                         "0.1",
                         "0.3",
                         "2.675",
                         "1,5",
                         "-1,5",
                         "999999999999999999",
                         "9999999999999999999",
                         "0.000000000000000001",
                         "3.14159265358979323",
                         "12345678901234567.8",
                         "1.",
                         ".5",
                         ",5",
                         "-.5",
                         " 42 ",
                         "1e5",
                         "1,5E-3",
                         "1,000.5",
                         "1.2.3",
                         "",
                         "+",
                         "-",
                         ".",
                         "abc",
                         "12a"};
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    TNumber expected = 0;
    const bool expectedOk =
        TryParseFloat(NormaliseDecimalText(text), TLocale::Current().DecimalSeparator(), expected);
    TNumber value = 0;
    ASSERT_EQ(TryTextToNumber(text, value), expectedOk);
    EXPECT_EQ(value, expected);
    EXPECT_EQ(std::signbit(value), std::signbit(expected));
  }
}

}  // namespace
}  // namespace mervanta::test
