#include "formula/fo_variable.h"

#include <gtest/gtest.h>

#include <cmath>

#include "test_support/library_number.h"
#include "test_support/pinned_locale.h"

namespace mervanta::test {
namespace {

// A formula reads a text as a number this way: the last comma or full stop stands for the
// decimal separator, and the digits are converted with correct rounding. The quick ways for
// common texts must agree with that to the last bit.
TEST(FoVariable, ReadsTextsAsTheLocaleReadingDoes) {
  struct TCase {
    const char* Text;
    bool Valid;
  } cases[] = {{"0", true},
               {"-0", true},
               {"+7", true},
               {"123456.78", true},
               {"0.1", true},
               {"0.3", true},
               {"2.675", true},
               {"1,5", true},
               {"-1,5", true},
               {"999999999999999999", true},
               {"9999999999999999999", true},
               {"99999999999999999999", true},
               {"0.000000000000000001", true},
               {"3.14159265358979323", true},
               {"12345678901234567.8", true},
               {"1.", true},
               {".5", true},
               {",5", true},
               {"-.5", true},
               {" 42 ", true},
               {"1e5", true},
               {"1,5E-3", true},
               {"1,000.5", false},
               {"1.2.3", false},
               {"", false},
               {"+", false},
               {"-", false},
               {".", false},
               {"abc", false},
               {"12a", false},
               {"0x10", false},
               {"inf", false},
               {"1e5000", false}};
  for (const char separator : {'.', ','}) {
    TLocaleSettings settings = PinnedLocaleSettings();
    settings.DecimalSeparator = separator;
    TScopedLocale locale(settings);
    for (const TCase& c : cases) {
      SCOPED_TRACE(testing::Message() << c.Text << " with decimal separator " << separator);
      const TNumber value = TextToNumber(c.Text);
      ASSERT_EQ(!std::isnan(value), c.Valid);
      if (!c.Valid) continue;
      std::string_view unpadded = c.Text;
      unpadded.remove_prefix(unpadded.find_first_not_of(' '));
      unpadded.remove_suffix(unpadded.size() - 1 - unpadded.find_last_not_of(' '));
      TNumber expected = 0;
      ASSERT_TRUE(LibraryNumber(unpadded, expected));
      EXPECT_EQ(value, expected);
      EXPECT_EQ(std::signbit(value), std::signbit(expected));
    }
  }
}

}  // namespace
}  // namespace mervanta::test
