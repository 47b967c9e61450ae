#include "support/date_time.h"

#include <gtest/gtest.h>

#include <vector>

#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

TEST(DateTime, EncodingAndDecodingAgreeOverTheWholeCalendar) {
  TDateTime value;
  ASSERT_TRUE(TryEncodeDate(1899, 12, 30, value));
  EXPECT_EQ(value, 0);
  ASSERT_TRUE(TryEncodeDate(2000, 3, 1, value));
  EXPECT_EQ(value, 36586);
  int year, month, day, hour, minute, second, ms;
  DecodeDate(-1.25, year, month, day);
  DecodeTime(-1.25, hour, minute, second, ms);
  EXPECT_EQ(std::vector<int>({year, month, day, hour, minute}),
            std::vector<int>({1899, 12, 29, 6, 0}))
      << "before 1899 the fraction still counts forward from midnight";
  for (int day = -693593; day <= 2958465; day += 97) {
    int y, m, d;
    DecodeDate(day, y, m, d);
    TDateTime back;
    ASSERT_TRUE(TryEncodeDate(y, m, d, back)) << day;
    ASSERT_EQ(back, day);
  }
}

TEST(DateTime, InvalidDatesAndTimesAreRefused) {
  TDateTime value;
  EXPECT_FALSE(TryEncodeDate(2023, 2, 29, value));
  EXPECT_TRUE(TryEncodeDate(2024, 2, 29, value));
  EXPECT_FALSE(TryEncodeDate(1900, 2, 29, value));
  EXPECT_FALSE(TryEncodeDate(2024, 13, 1, value));
  EXPECT_FALSE(TryEncodeDate(0, 1, 1, value));
  EXPECT_FALSE(TryEncodeTime(24, 0, 0, 0, value));
  EXPECT_FALSE(TryEncodeTime(1, 60, 0, 0, value));
}

struct TParseCase {
  const char* DateFormat;
  const char* Text;
  bool Valid;
  int Year, Month, Day;
};

TEST(DateTime, DatesAreReadInTheOrderOfTheShortDateFormat) {
  int thisYear, month, day;
  DecodeDate(Now(), thisYear, month, day);
  const TParseCase cases[] = {
      {"dd.MM.yyyy", "05.12.1958", true, 1958, 12, 5},
      {"dd.MM.yyyy", " 5.2.2024 ", true, 2024, 2, 5},
      {"dd.MM.yyyy", "31.02.2020", false, 0, 0, 0},
      {"dd.MM.yyyy", "05/12/1958", false, 0, 0, 0},
      {"dd.MM.yyyy", "05.12.1958x", false, 0, 0, 0},
      {"dd.MM.yyyy", "05.12.", false, 0, 0, 0},
      {"dd.MM.yyyy", "", false, 0, 0, 0},
      {"dd.MM.yyyy", "1..5", false, 0, 0, 0},
      {"dd.MM.yyyy", "3.4", true, thisYear, 4, 3},
      {"MM/dd/yyyy", "12/05/1958", true, 1958, 12, 5},
      {"yyyy-MM-dd", "1958-12-05", true, 1958, 12, 5},
      {"yyyy-MM-dd", "12-05", true, thisYear, 12, 5},
  };
  for (const TParseCase& c : cases) {
    SCOPED_TRACE(std::string(c.DateFormat) + " " + c.Text);
    TLocaleSettings settings = test::PinnedLocaleSettings();
    settings.ShortDateFormat = c.DateFormat;
    test::TScopedLocale locale(settings);
    TDateTime value = -1;
    ASSERT_EQ(TryStrToDate(c.Text, value), c.Valid);
    if (!c.Valid) continue;
    int y, m, d;
    DecodeDate(value, y, m, d);
    EXPECT_EQ(y, c.Year);
    EXPECT_EQ(m, c.Month);
    EXPECT_EQ(d, c.Day);
  }
}

TEST(DateTime, TwoDigitYearsFallWithinFiftyYearsOfNow) {
  int thisYear, month, day;
  DecodeDate(Now(), thisYear, month, day);
  for (int offset : {-49, -1, 0, 1, 49}) {
    const int year = thisYear + offset;
    const std::string text = "01.01." + std::to_string(year % 100 + 100).substr(1);
    TDateTime value;
    ASSERT_TRUE(TryStrToDate(text, value)) << text;
    int y, m, d;
    DecodeDate(value, y, m, d);
    EXPECT_EQ(y, year) << text;
  }
}

TEST(DateTime, TimesAreReadWithOptionalSecondsAndDayHalf) {
  struct TCase {
    const char* Text;
    bool Valid;
    int Hour, Minute, Second;
  } cases[] = {
      {"12:30", true, 12, 30, 0},   {"7:05:09", true, 7, 5, 9},   {"7:05:09.250", true, 7, 5, 9},
      {"12:00 AM", true, 0, 0, 0},  {"1:15 pm", true, 13, 15, 0}, {"3 PM", true, 15, 0, 0},
      {"13:00 PM", false, 0, 0, 0}, {"24:00", false, 0, 0, 0},    {"12", false, 0, 0, 0},
      {"12:", false, 0, 0, 0},      {"12:30x", false, 0, 0, 0},   {"", false, 0, 0, 0}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TDateTime value;
    ASSERT_EQ(TryStrToTime(c.Text, value), c.Valid);
    if (!c.Valid) continue;
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    EXPECT_EQ(h, c.Hour);
    EXPECT_EQ(m, c.Minute);
    EXPECT_EQ(s, c.Second);
  }
}

TEST(DateTime, DayHalvesIgnoreTheCaseOfNationalLettersAsTheCodePageHasIt) {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.TimeAMString = "\xC0M";  // A grave
  settings.TimePMString = "\xC9M";  // E acute
  test::TScopedLocale locale(settings);
  for (const char* text : {"1:15 \xE9m", "1:15 \xC9M"}) {
    SCOPED_TRACE(text);
    TDateTime value;
    ASSERT_TRUE(TryStrToTime(text, value));
    int h, m, s, ms;
    DecodeTime(value, h, m, s, ms);
    EXPECT_EQ(h, 13);
  }
}

TEST(DateTime, FormatsByPicture) {
  TDateTime date, time;
  ASSERT_TRUE(TryEncodeDate(2024, 3, 7, date));
  ASSERT_TRUE(TryEncodeTime(14, 5, 9, 0, time));
  const TDateTime moment = date + time;
  struct TCase {
    const char* Picture;
    const char* Text;
  } cases[] = {{"dd.MM.yyyy", "07.03.2024"}, {"d/M/yy", "7/3/24"},
               {"HH:mm:ss", "14:05:09"},     {"h:mm tt", "2:05 PM"},
               {"'at' HH", "at 14"},         {"yyyy-MM-dd HH:mm", "2024-03-07 14:05"}};
  for (const TCase& c : cases) {
    EXPECT_EQ(FormatDateTime(c.Picture, moment), c.Text) << c.Picture;
  }
  EXPECT_EQ(DateToStr(moment), "07.03.2024");
  EXPECT_EQ(TimeToStr(moment), "14:05:09");
  EXPECT_EQ(DateTimeToStr(date), "07.03.2024");
  EXPECT_EQ(DateTimeToStr(moment), "07.03.2024 14:05:09");
}

}  // namespace
}  // namespace mervanta
