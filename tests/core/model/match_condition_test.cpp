#include "model/match_condition.h"

#include <gtest/gtest.h>

#include <string>

#include "support/errors.h"
#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

constexpr bool kCaseSensitive = true;
constexpr bool kIgnoreCase = false;

TEST(MatchCondition, EachKindTestsTheValue) {
  struct TCase {
    std::string Value;
    int Kind;
    std::string Pattern;
    bool CaseSensitive;
    int Length;
    bool Expected;
  } cases[] = {
      {"hello", ckContain, "ell", kCaseSensitive, 0, true},
      {"hello", ckContain, "ELL", kCaseSensitive, 0, false},
      {"hello", ckContain, "ELL", kIgnoreCase, 0, true},
      {"hello", ckContain, "", kCaseSensitive, 0, true},
      {"", ckContain, "", kCaseSensitive, 0, true},
      {"", ckContain, "a", kCaseSensitive, 0, false},
      {"abc", ckEqual, "abc", kCaseSensitive, 0, true},
      {"abc", ckEqual, "ab", kCaseSensitive, 0, false},
      {"abc", ckEqual, "ABC", kIgnoreCase, 0, true},
      {"hello", ckNotContain, "xyz", kCaseSensitive, 0, true},
      {"hello", ckNotContain, "ell", kCaseSensitive, 0, false},
      {"hello", ckNotContain, "", kCaseSensitive, 0, true},
      {"abc", ckNotEqual, "abd", kCaseSensitive, 0, true},
      {"abc", ckNotEqual, "ABC", kIgnoreCase, 0, false},
      {"hello", ckBeginWith, "he", kCaseSensitive, 0, true},
      {"hello", ckBeginWith, "", kCaseSensitive, 0, true},
      {"he", ckBeginWith, "hello", kCaseSensitive, 0, false},
      {"hello", ckEndWith, "LO", kIgnoreCase, 0, true},
      {"lo", ckEndWith, "hello", kCaseSensitive, 0, false},
      {"hello", ckNotBeginWith, "he", kCaseSensitive, 0, false},
      {"hello", ckNotBeginWith, "x", kCaseSensitive, 0, true},
      {"hello", ckNotEndWith, "x", kCaseSensitive, 0, true},
      {"hello", ckNotEndWith, "llo", kCaseSensitive, 0, false},
      {"Apple", ckMatchMask, "a*", kCaseSensitive, 0, true},
      {"Apple", ckMatchMask, "a?ple", kCaseSensitive, 0, true},
      {"Apple", ckMatchMask, "b*", kIgnoreCase, 0, false},
      {"9", ckLessOrEqual, "10", kCaseSensitive, 0, true},
      {"10", ckLessOrEqual, "10", kCaseSensitive, 0, true},
      {"10.0", ckLessOrEqual, "10", kCaseSensitive, 0, false},
      {"abc", ckLessOrEqual, "10", kCaseSensitive, 0, false},
      {"abc", ckLessOrEqual, "ABD", kCaseSensitive, 0, false},
      {"abc", ckLessOrEqual, "ABD", kIgnoreCase, 0, true},
      {"10", ckGreaterOrEqual, "9", kCaseSensitive, 0, true},
      {"10.0", ckGreaterOrEqual, "10", kCaseSensitive, 0, false},
      {"02.01.2020", ckGreaterOrEqual, "01.02.2020", kCaseSensitive, 0, false},
      {"abc", ckSameLength, "", kCaseSensitive, 3, true},
      {"", ckSameLength, "", kCaseSensitive, 0, true},
      {"abc", ckLongerThan, "", kCaseSensitive, 2, true},
      {"abc", ckLongerThan, "", kCaseSensitive, 3, false},
      {"abc", ckShorterThan, "", kCaseSensitive, 4, true},
      {"abc", ckShorterThan, "", kCaseSensitive, 3, false},
      {"abc", 14, "", kCaseSensitive, 0, false},
      {"abc", -1, "", kCaseSensitive, 0, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value + " " + std::to_string(c.Kind) + " " + c.Pattern);
    EXPECT_EQ(MatchCondition(c.Value, c.Kind, c.Pattern, c.CaseSensitive, c.Length), c.Expected);
  }
}

TEST(MatchCondition, IgnoringCaseFoldsTheCodePagesLetters) {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.AnsiCodePage = 1251;
  settings.OemCodePage = 866;
  test::TScopedLocale locale(settings);
  const char* upperCyrillic = "\xC0\xC1\xC2";  // the first three Cyrillic capitals
  EXPECT_TRUE(MatchCondition(upperCyrillic, ckContain, "\xE1", kIgnoreCase, 0));
  EXPECT_FALSE(MatchCondition(upperCyrillic, ckContain, "\xE1", kCaseSensitive, 0));
  EXPECT_TRUE(MatchCondition(upperCyrillic, ckMatchMask, "\xE0*", kCaseSensitive, 0));
}

TEST(MatchCondition, PreparedConditionServesManyValues) {
  TConditionMatcher equal(ckEqual, "ab", kIgnoreCase, 0);
  const std::pair<const char*, bool> values[] = {
      {"aB", true}, {"abc", false}, {"a", false}, {"AB", true}, {"", false}};
  for (const auto& [value, expected] : values) {
    SCOPED_TRACE(value);
    EXPECT_EQ(equal.Matches(value), expected);
  }
}

TEST(MatchCondition, MalformedMaskFailsOnlyWhenTested) {
  TConditionMatcher mask(ckMatchMask, "a[bc", kIgnoreCase, 0);
  for (int attempt = 0; attempt < 2; ++attempt) {
    try {
      mask.Matches("abc");
      ADD_FAILURE() << "no error";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), "'a[bc' is an invalid mask at (2)");
    }
  }
}

TEST(MatchRange, MarksWhatTheConditionMatched) {
  struct TCase {
    std::string Value;
    int Kind;
    std::string Pattern;
    bool CaseSensitive;
    std::optional<TMatchRange> Expected;
  } cases[] = {
      {"hello world", ckContain, "o", kCaseSensitive, TMatchRange{5, 5}},
      {"Hello", ckContain, "LL", kIgnoreCase, TMatchRange{3, 4}},
      {"Hello", ckContain, "LL", kCaseSensitive, std::nullopt},
      {"abc", ckEqual, "ABC", kIgnoreCase, TMatchRange{1, 3}},
      {"abc", ckEqual, "ab", kCaseSensitive, std::nullopt},
      {"abc", ckBeginWith, "ab", kCaseSensitive, TMatchRange{1, 2}},
      {"abc", ckEndWith, "bc", kCaseSensitive, TMatchRange{2, 3}},
      {"bc", ckEndWith, "abc", kCaseSensitive, std::nullopt},
      {"abc", ckContain, "", kCaseSensitive, std::nullopt},
      {"abc", ckNotContain, "x", kCaseSensitive, std::nullopt},
      {"abc", ckMatchMask, "a*", kCaseSensitive, std::nullopt},
      {"abc", ckSameLength, "abc", kCaseSensitive, std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value + " " + std::to_string(c.Kind) + " " + c.Pattern);
    EXPECT_EQ(MatchRange(c.Value, c.Kind, c.Pattern, c.CaseSensitive), c.Expected);
  }
}

}  // namespace
}  // namespace mervanta
