#include "model/match_condition.h"

#include <gtest/gtest.h>

#include <string>

#include "support/errors.h"
#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

constexpr TCaseRule kCaseSensitive = TCaseRule::Sensitive;
constexpr TCaseRule kIgnoreCase = TCaseRule::Ignore;

TEST(MatchCondition, EachKindTestsTheValue) {
  struct TCase {
    std::string Value;
    TConditionKind Kind;
    std::string Pattern;
    TCaseRule CaseRule;
    int Length;
    bool Expected;
  } cases[] = {
      {"hello", TConditionKind::Contain, "ell", kCaseSensitive, 0, true},
      {"hello", TConditionKind::Contain, "ELL", kCaseSensitive, 0, false},
      {"hello", TConditionKind::Contain, "ELL", kIgnoreCase, 0, true},
      {"hello", TConditionKind::Contain, "", kCaseSensitive, 0, true},
      {"", TConditionKind::Contain, "", kCaseSensitive, 0, true},
      {"", TConditionKind::Contain, "a", kCaseSensitive, 0, false},
      {"abc", TConditionKind::Equal, "abc", kCaseSensitive, 0, true},
      {"abc", TConditionKind::Equal, "ab", kCaseSensitive, 0, false},
      {"abc", TConditionKind::Equal, "ABC", kIgnoreCase, 0, true},
      {"hello", TConditionKind::NotContain, "xyz", kCaseSensitive, 0, true},
      {"hello", TConditionKind::NotContain, "ell", kCaseSensitive, 0, false},
      {"hello", TConditionKind::NotContain, "", kCaseSensitive, 0, true},
      {"abc", TConditionKind::NotEqual, "abd", kCaseSensitive, 0, true},
      {"abc", TConditionKind::NotEqual, "ABC", kIgnoreCase, 0, false},
      {"hello", TConditionKind::BeginWith, "he", kCaseSensitive, 0, true},
      {"hello", TConditionKind::BeginWith, "", kCaseSensitive, 0, true},
      {"he", TConditionKind::BeginWith, "hello", kCaseSensitive, 0, false},
      {"hello", TConditionKind::EndWith, "LO", kIgnoreCase, 0, true},
      {"lo", TConditionKind::EndWith, "hello", kCaseSensitive, 0, false},
      {"hello", TConditionKind::NotBeginWith, "he", kCaseSensitive, 0, false},
      {"hello", TConditionKind::NotBeginWith, "x", kCaseSensitive, 0, true},
      {"hello", TConditionKind::NotEndWith, "x", kCaseSensitive, 0, true},
      {"hello", TConditionKind::NotEndWith, "llo", kCaseSensitive, 0, false},
      {"Apple", TConditionKind::MatchMask, "a*", kCaseSensitive, 0, true},
      {"Apple", TConditionKind::MatchMask, "a?ple", kCaseSensitive, 0, true},
      {"Apple", TConditionKind::MatchMask, "b*", kIgnoreCase, 0, false},
      {"9", TConditionKind::LessOrEqual, "10", kCaseSensitive, 0, true},
      {"10", TConditionKind::LessOrEqual, "10", kCaseSensitive, 0, true},
      {"10.0", TConditionKind::LessOrEqual, "10", kCaseSensitive, 0, false},
      {"abc", TConditionKind::LessOrEqual, "10", kCaseSensitive, 0, false},
      {"abc", TConditionKind::LessOrEqual, "ABD", kCaseSensitive, 0, false},
      {"abc", TConditionKind::LessOrEqual, "ABD", kIgnoreCase, 0, true},
      {"10", TConditionKind::GreaterOrEqual, "9", kCaseSensitive, 0, true},
      {"10.0", TConditionKind::GreaterOrEqual, "10", kCaseSensitive, 0, false},
      {"02.01.2020", TConditionKind::GreaterOrEqual, "01.02.2020", kCaseSensitive, 0, false},
      {"abc", TConditionKind::SameLength, "", kCaseSensitive, 3, true},
      {"", TConditionKind::SameLength, "", kCaseSensitive, 0, true},
      {"abc", TConditionKind::LongerThan, "", kCaseSensitive, 2, true},
      {"abc", TConditionKind::LongerThan, "", kCaseSensitive, 3, false},
      {"abc", TConditionKind::ShorterThan, "", kCaseSensitive, 4, true},
      {"abc", TConditionKind::ShorterThan, "", kCaseSensitive, 3, false},
      {"abc", static_cast<TConditionKind>(14), "", kCaseSensitive, 0, false},
      {"abc", static_cast<TConditionKind>(-1), "", kCaseSensitive, 0, false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value + " " + std::to_string(static_cast<int>(c.Kind)) + " " + c.Pattern);
    EXPECT_EQ(MatchCondition(c.Value, c.Kind, c.Pattern, c.CaseRule, c.Length), c.Expected);
  }
}

TEST(MatchCondition, IgnoringCaseFoldsTheCodePagesLetters) {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.AnsiCodePage = 1251;
  settings.OemCodePage = 866;
  test::TScopedLocale locale(settings);
  const char* upperCyrillic = "\xC0\xC1\xC2";  // the first three Cyrillic capitals
  EXPECT_TRUE(MatchCondition(upperCyrillic, TConditionKind::Contain, "\xE1", kIgnoreCase, 0));
  EXPECT_FALSE(MatchCondition(upperCyrillic, TConditionKind::Contain, "\xE1", kCaseSensitive, 0));
  EXPECT_TRUE(MatchCondition(upperCyrillic, TConditionKind::MatchMask, "\xE0*", kCaseSensitive, 0));
}

TEST(MatchCondition, PreparedConditionServesManyValues) {
  TConditionMatcher equal(TConditionKind::Equal, "ab", kIgnoreCase, 0);
  const std::pair<const char*, bool> values[] = {
      {"aB", true}, {"abc", false}, {"a", false}, {"AB", true}, {"", false}};
  for (const auto& [value, expected] : values) {
    SCOPED_TRACE(value);
    EXPECT_EQ(equal.Matches(value), expected);
  }
}

TEST(MatchCondition, MalformedMaskFailsOnlyWhenTested) {
  TConditionMatcher mask(TConditionKind::MatchMask, "a[bc", kIgnoreCase, 0);
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
    TConditionKind Kind;
    std::string Pattern;
    TCaseRule CaseRule;
    std::optional<TMatchRange> Expected;
  } cases[] = {
      {"hello world", TConditionKind::Contain, "o", kCaseSensitive, TMatchRange{5, 5}},
      {"Hello", TConditionKind::Contain, "LL", kIgnoreCase, TMatchRange{3, 4}},
      {"Hello", TConditionKind::Contain, "LL", kCaseSensitive, std::nullopt},
      {"abc", TConditionKind::Equal, "ABC", kIgnoreCase, TMatchRange{1, 3}},
      {"abc", TConditionKind::Equal, "ab", kCaseSensitive, std::nullopt},
      {"abc", TConditionKind::BeginWith, "ab", kCaseSensitive, TMatchRange{1, 2}},
      {"abc", TConditionKind::EndWith, "bc", kCaseSensitive, TMatchRange{2, 3}},
      {"bc", TConditionKind::EndWith, "abc", kCaseSensitive, std::nullopt},
      {"abc", TConditionKind::Contain, "", kCaseSensitive, std::nullopt},
      {"abc", TConditionKind::NotContain, "x", kCaseSensitive, std::nullopt},
      {"abc", TConditionKind::MatchMask, "a*", kCaseSensitive, std::nullopt},
      {"abc", TConditionKind::SameLength, "abc", kCaseSensitive, std::nullopt},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Value + " " + std::to_string(static_cast<int>(c.Kind)) + " " + c.Pattern);
    EXPECT_EQ(MatchRange(c.Value, c.Kind, c.Pattern, c.CaseRule), c.Expected);
  }
}

}  // namespace
}  // namespace mervanta
