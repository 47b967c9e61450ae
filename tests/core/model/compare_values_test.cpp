#include "model/compare_values.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/date_time.h"
#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

int Sign(int value) {
  return (value > 0) - (value < 0);
}

// The tests run with dates as dd.MM.yyyy and times as HH:mm:ss.
TEST(CompareValues, OrdersEmptyThenNumbersThenDatesTimesAndBytes) {
  struct TCase {
    const char* A;
    const char* B;
    int Written;  // sign of CompareValues
    int ForSort;  // sign of CompareValuesForSort
  } cases[] = {
      {"10", "9", 1, 1},
      {"", "5", -1, -1},
      {"abc", "5", 1, 1},
      {"", "abc", -1, -1},
      {"5", "", 1, 1},
      {"5", "abc", -1, -1},
      {"abc", "abc", 0, 0},
      {"", "", 0, 0},
      {"2", "10", -1, -1},
      {"-5", "3", -1, -1},
      {"1e3", "999", 1, 1},
      {"1,5", "1.25", 1, 1},
      {"10", "10.0", -1, -1},
      {"10.0", "10", -1, 1},
      {"1,5", "1.5", -1, -1},
      {"1.5", "1,5", -1, 1},
      {"b", "a10", 1, 1},
      {"a10", "b", -1, -1},
      {"02.01.2020", "01.02.2020", -1, -1},
      {"01.02.2020", "02.01.2020", 1, 1},
      {"1.2.2020", "01.02.2020", -1, 1},
      {"01.02.2020", "1.2.2020", -1, -1},
      {"9:00:00", "10:00:00", -1, -1},
      {"10:00", "10:00:00", -1, -1},
      {"10:00:00", "10:00", -1, 1},
      {"02.01.2020", "abc", -1, -1},
      {"abc", "ABC", 1, 1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.A) + " against " + c.B);
    EXPECT_EQ(Sign(CompareValues(c.A, c.B)), c.Written);
    EXPECT_EQ(Sign(CompareValuesForSort(c.A, c.B)), c.ForSort);
  }
}

TEST(CompareValues, ReadsDatesInTheLocalesFormat) {
  // Not dates with the pinned format, so their bytes decide.
  EXPECT_GT(CompareValues("12/01/2019", "01/02/2020"), 0);
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.ShortDateFormat = "MM/dd/yyyy";
  test::TScopedLocale locale(settings);
  EXPECT_LT(CompareValues("12/01/2019", "01/02/2020"), 0);
}

const std::vector<std::string>& MixedTexts() {
  static const std::vector<std::string> texts{"",           "0",        "00",
                                              "1",          "1.0",      "1,0",
                                              "-1",         "1e0",      "10",
                                              "9",          "a",        "A",
                                              "b",          "ab",       "a10",
                                              "01.02.2020", "1.2.2020", "02.01.2020",
                                              "10:00:00",   "9:00",     "10:00",
                                              "01.5x",      "\xC0",     "1 000",
                                              "31.02.2020", "25:00",    std::string("\0", 1)};
  return texts;
}

TEST(CompareValues, SortComparisonIsAntisymmetricAndZeroOnlyForIdenticalTexts) {
  for (const std::string& a : MixedTexts()) {
    for (const std::string& b : MixedTexts()) {
      SCOPED_TRACE(a + " against " + b);
      const int ab = Sign(CompareValuesForSort(a, b));
      EXPECT_EQ(ab, -Sign(CompareValuesForSort(b, a)));
      EXPECT_EQ(ab == 0, a == b);
    }
  }
}

TEST(CompareValues, SortComparisonIsTransitiveWithoutDatesAndTimes) {
  std::vector<std::string> texts;
  for (const std::string& text : MixedTexts()) {
    TDateTime ignored;
    if (!TryStrToDate(text, ignored) && !TryStrToTime(text, ignored)) texts.push_back(text);
  }
  ASSERT_GT(texts.size(), 15u);
  for (const std::string& a : texts) {
    for (const std::string& b : texts) {
      for (const std::string& c : texts) {
        if (CompareValuesForSort(a, b) < 0 && CompareValuesForSort(b, c) < 0) {
          EXPECT_LT(CompareValuesForSort(a, c), 0) << a << " < " << b << " < " << c;
        }
      }
    }
  }
}

// Why a sort on these values must survive an inconsistent order: byte order and calendar
// order disagree, and a text that is no date sits between them.
TEST(CompareValues, DatesAmongTextsCanFormACycle) {
  const char* jan2 = "02.01.2020";
  const char* feb1 = "01.02.2020";
  const char* text = "01.5x";
  EXPECT_LT(CompareValuesForSort(jan2, feb1), 0);
  EXPECT_LT(CompareValuesForSort(feb1, text), 0);
  EXPECT_LT(CompareValuesForSort(text, jan2), 0);
}

TEST(TextEquals, ComparesWholeTextsFoldingOnlyLatinLetters) {
  struct TCase {
    std::string A, B;
    bool IgnoreEmpty, CaseInsensitive, Equal;
  } cases[] = {
      {"", "", false, false, true},
      {"", "", true, true, false},
      {"a", "", false, true, false},
      {"abc", "abc", true, false, true},
      {"abc", "ABC", true, true, true},
      {"abc", "ABC", true, false, false},
      {"abc", "ab", true, true, false},
      {"\xE0", "\xC0", true, true, false},  // Cyrillic or accented letters keep their case
      {"[", "{", true, true, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.A + " against " + c.B);
    EXPECT_EQ(TextEquals(c.A, c.B, {.IgnoreEmpty = c.IgnoreEmpty, .IgnoreCase = c.CaseInsensitive}),
              c.Equal);
  }
}

}  // namespace
}  // namespace mervanta
