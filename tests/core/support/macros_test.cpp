#include "support/macros.h"

#include <gtest/gtest.h>

#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

TDateTime Moment(int year, int month, int day, int hour, int minute, int second) {
  TDateTime date = 0, time = 0;
  EXPECT_TRUE(TryEncodeDate(year, month, day, date));
  EXPECT_TRUE(TryEncodeTime(hour, minute, second, 0, time));
  return date + time;
}

TEST(Macros, ExpandMacrosReplacesEveryNameInAnyCase) {
  struct TCase {
    const char* Text;
    const char* Expanded;
  } cases[] = {
      {"", ""},
      {"no macros here", "no macros here"},
      {"$Date$", "05.03.2024"},
      {"$Time$", "07:08:09"},
      {"$Year$-$Month$-$Day$ $Hour$$Minute$$Second$", "2024-03-05 070809"},
      {"$year$ $YEAR$ $yEaR$", "2024 2024 2024"},
      {"Export $date$ at $time$.csv", "Export 05.03.2024 at 07:08:09.csv"},
      {"$Unknown$ $$ $Date 5$ $ Year$", "$Unknown$ $$ $Date 5$ $ Year$"},
      {"$$Year$$", "$2024$"},
      {"$Day$Day$", "05Day$"},
      // Names are replaced one after the other in list order, so Date takes the shared "$".
      {"$Year$Date$", "$Year05.03.2024"},
  };
  const TDateTime moment = Moment(2024, 3, 5, 7, 8, 9);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ExpandMacros(c.Text, moment), c.Expanded);
  }
}

TEST(Macros, EveryListedNameExpands) {
  const TDateTime moment = Moment(2009, 1, 2, 3, 4, 5);
  const char* values[] = {"02.01.2009", "03:04:05", "2009", "01", "02", "03", "04", "05"};
  ASSERT_EQ(std::size(values), kMacroNames.size());
  for (std::size_t i = 0; i < kMacroNames.size(); ++i) {
    const std::string macro = "$" + std::string(kMacroNames[i]) + "$";
    SCOPED_TRACE(macro);
    EXPECT_EQ(ExpandMacros(macro, moment), values[i]);
  }
  EXPECT_EQ(ExpandMacros("$Year$", Moment(987, 6, 7, 0, 0, 0)), "0987");
}

TEST(Macros, DateAndTimeFollowTheLocaleFormats) {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.ShortDateFormat = "MM/dd/yyyy";
  settings.LongTimeFormat = "h:mm:ss tt";
  test::TScopedLocale locale(settings);
  EXPECT_EQ(ExpandMacros("$Date$ $Time$ $Hour$", Moment(2024, 12, 31, 23, 0, 1)),
            "12/31/2024 11:00:01 PM 23");
}

}  // namespace
}  // namespace mervanta
