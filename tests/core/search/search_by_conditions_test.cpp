// Searches by conditions: how conditions combine, case folding, computed cells, the quick
// and normal searches' conditions, and the highlighted ranges.
#include "search/search_by_conditions.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/records_fixture.h"
#include "model/match_condition.h"
#include "search/extended_search.h"
#include "search/fast_search.h"
#include "search/usual_search.h"
#include "support/errors.h"
#include "test_support/pinned_locale.h"

namespace mervanta::test {
namespace {

// Columns A and B over records made from rows; the searches filter the list "Other".
class SearchByConditionsTest : public testing::Test, public TRecordsFixture {
 public:
  SearchByConditionsTest() : TRecordsFixture(2) {}

  void AddRows(const std::vector<TRow>& rows) {
    for (const TRow& row : rows) All.Add(Make(row));
  }
  // The positions in All of the records that the search keeps, joined by blanks.
  std::string Kept(TSearch& search) {
    Other.Assign(All);
    search.Filter(Other);
    std::string kept;
    for (const TRecord* record : Other.Items()) {
      if (!kept.empty()) kept += ' ';
      kept += std::to_string(All.IndexOf(*record));
    }
    return kept;
  }
};

TEST_F(SearchByConditionsTest, OneConditionKeepsTheRecordsWhoseCellPassesItsKind) {
  struct TCase {
    TConditionKind Kind;
    std::string Text;
    int Number;
    bool IgnoreCase;
    std::vector<std::string> Values;
    std::string Kept;
  } cases[] = {
      {TConditionKind::Contain, "", 0, false, {"x", ""}, "0 1"},
      {TConditionKind::Contain, "AN", 0, true, {"Anna", "banana", "BOB"}, "0 1"},
      {TConditionKind::Contain, "AN", 0, false, {"Anna", "banana", "BOB"}, ""},
      {TConditionKind::NotContain, "", 0, false, {"x", ""}, "0 1"},
      {TConditionKind::EndWith, "xabc", 0, false, {"abc", "xabc", "zxabc"}, "1 2"},
      {TConditionKind::SameLength, "", 0, false, {"", "a", ""}, "0 2"},
      {TConditionKind::LongerThan, "", 1, false, {"", "a", "ab"}, "2"},
      {TConditionKind::ShorterThan, "", 1, false, {"", "a", "ab"}, "0"},
      {TConditionKind::MatchMask, "a*", 0, false, {"Apple", "banana", "a"}, "0 2"},
      // A number sorts after an empty text, before any other text; 10.0 is not 10.
      {TConditionKind::LessOrEqual, "10", 0, false, {"9", "10", "10.0", "abc", ""}, "0 1 4"},
      {TConditionKind::GreaterOrEqual, "10", 0, false, {"9", "11", "10.0", "abc", ""}, "1 3"},
      {TConditionKind::GreaterOrEqual, "01.02.2020", 0, false, {"15.03.2020", "01.01.2020"}, "0"},
      {static_cast<TConditionKind>(14), "", 0, false, {"", "a"}, ""},
      {static_cast<TConditionKind>(-1), "", 0, false, {"", "a"}, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::to_string(static_cast<int>(c.Kind)) + " '" + c.Text + "'");
    All.Clear();
    for (const std::string& value : c.Values) All.Add(Make({value}));
    TExtendedSearch search(All);
    search.AddCondition(Column("A"), c.Kind, c.Number, c.Text);
    search.SetIgnoreCase(c.IgnoreCase);
    EXPECT_EQ(Kept(search), c.Kept);
  }
}

TEST_F(SearchByConditionsTest, AllConditionsMustHoldUnlessAnyWill) {
  AddRows({{"x", "y"}, {"x", "-"}, {"-", "y"}, {"-", "-"}});
  TExtendedSearch search(All);
  search.AddCondition(Column("A"), TConditionKind::Equal, 0, "x");
  search.AddCondition(Column("B"), TConditionKind::Equal, 0, "y");
  EXPECT_EQ(Kept(search), "0");
  search.SetAnyCondition(true);
  EXPECT_EQ(Kept(search), "0 1 2");
}

TEST_F(SearchByConditionsTest, WithoutConditionsEveryRecordStays) {
  AddRows({{"a"}, {""}});
  TExtendedSearch search(All);
  EXPECT_EQ(Kept(search), "0 1");
  search.SetAnyCondition(true);
  EXPECT_EQ(Kept(search), "0 1");
}

TEST_F(SearchByConditionsTest, IgnoringCaseFoldsCyrillicLettersThroughTheCodePage) {
  TLocaleSettings cyrillic = PinnedLocaleSettings();
  cyrillic.AnsiCodePage = 1251;
  cyrillic.OemCodePage = 866;
  const TScopedLocale locale(cyrillic);
  // "ПРИВЕТ" and "мир" in code page 1251.
  AddRows({{"\xCF\xD0\xC8\xC2\xC5\xD2"}, {"\xEC\xE8\xF0"}, {"\xEF\xF0\xE8"}});
  TExtendedSearch search(All);
  search.AddCondition(Column("A"), TConditionKind::Contain, 0, "\xEF\xF0\xE8");  // "при"
  EXPECT_EQ(Kept(search), "2");
  search.SetIgnoreCase(true);
  EXPECT_EQ(Kept(search), "0 2");

  TExtendedSearch equal(All);
  equal.AddCondition(Column("A"), TConditionKind::Equal, 0, "\xCC\xC8\xD0");  // "МИР"
  equal.SetIgnoreCase(true);
  EXPECT_EQ(Kept(equal), "1");
}

TEST_F(SearchByConditionsTest, ComputedCellsAreTestedAsTheyShow) {
  TColumn& upper = AddColumn("Upper", TColumnStorage::Virtual);
  upper.Formula->SetValue("UpperCase(#1)+\"!\"");
  AddRows({{"abc"}, {"ABD"}, {"Abc"}});
  TExtendedSearch search(All);
  search.AddCondition(upper, TConditionKind::Equal, 0, "ABC!");
  EXPECT_EQ(Kept(search), "0 2");
}

TEST_F(SearchByConditionsTest, AMalformedMaskFailsOnlyWhenTested) {
  AddRows({{"a"}, {"b"}});
  TExtendedSearch search(All);
  search.AddCondition(Column("A"), TConditionKind::Contain, 0, "");
  search.AddCondition(Column("A"), TConditionKind::MatchMask, 0, "[a");
  search.SetAnyCondition(true);
  EXPECT_EQ(Kept(search), "0 1");  // the first condition decides every record
  search.SetAnyCondition(false);
  try {
    Kept(search);
    FAIL() << "no error";
  } catch (const EMervantaError& error) {
    EXPECT_STREQ(error.what(), "'[a' is an invalid mask at (1)");
  }
}

TEST_F(SearchByConditionsTest, QuickSearchLooksForItsTextInEveryColumnIgnoringCase) {
  AddColumn("C", TColumnStorage::Virtual).Formula->SetValue("#2+\"tail\"");
  Column("B").Visible->SetValue(false);
  AddRows({{"Key", ""}, {"", "hidden KEY"}, {"", "ke"}, {"", ""}});
  TFastSearch search(All, "key");
  EXPECT_EQ(search.Text(), "key");
  ASSERT_EQ(search.Conditions().size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(&search.Conditions()[i].Column(), &Columns[i]);
  EXPECT_EQ(Kept(search), "0 1");
  TFastSearch computed(All, "ETA");  // in "ke" + "tail"
  EXPECT_EQ(Kept(computed), "2");
  TFastSearch empty(All, "");
  EXPECT_EQ(Kept(empty), "0 1 2 3");
}

TEST_F(SearchByConditionsTest, NormalSearchNeedsEveryGivenValueInItsColumn) {
  AddRows({{"Red apple", "big"}, {"red", "small"}, {"green", "BIG"}});
  TUsualValues values;
  values[0] = "RED";
  values[1] = "bi";
  values[5] = "beyond the columns";
  TUsualSearch search(All, values);
  EXPECT_EQ(search.Values(), values);
  ASSERT_EQ(search.Conditions().size(), 2u);
  EXPECT_EQ(Kept(search), "0");

  TUsualSearch empty(All, TUsualValues{});
  EXPECT_TRUE(empty.Conditions().empty());
  EXPECT_EQ(Kept(empty), "0 1 2");
}

TEST_F(SearchByConditionsTest, LocatesTheFirstConditionOnTheColumnThatMatches) {
  AddRows({{"Banana split", "banana"}});
  const TRecord& record = All.Item(0);
  struct TCase {
    std::vector<TCondition> Conditions;
    bool IgnoreCase;
    bool Located;
    TMatchSpan Span;
  } cases[] = {
      {{{Column("A"), TConditionKind::Contain, 0, "NA"}}, true, true, {3, 4}},
      {{{Column("A"), TConditionKind::Contain, 0, "NA"}}, false, false, {}},
      {{{Column("A"), TConditionKind::Equal, 0, "banana SPLIT"}}, true, true, {1, 12}},
      {{{Column("A"), TConditionKind::BeginWith, 0, "ban"}}, true, true, {1, 3}},
      {{{Column("A"), TConditionKind::EndWith, 0, "lit"}}, true, true, {10, 12}},
      {{{Column("A"), TConditionKind::MatchMask, 0, "b*"}}, true, false, {}},
      {{{Column("A"), TConditionKind::Contain, 0, ""}}, true, false, {}},
      {{{Column("B"), TConditionKind::Contain, 0, "ban"},
        {Column("A"), TConditionKind::Contain, 0, "zz"}},
       true,
       false,
       {}},
      {{{Column("B"), TConditionKind::Contain, 0, "ban"},
        {Column("A"), TConditionKind::Contain, 0, "zz"},
        {Column("A"), TConditionKind::Contain, 0, "spl"},
        {Column("A"), TConditionKind::Contain, 0, "a"}},
       true,
       true,
       {8, 10}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Conditions.back().Text());
    TExtendedSearch search(All);
    for (const TCondition& condition : c.Conditions) {
      search.AddCondition(condition.Column(), condition.Kind(), condition.Number(),
                          condition.Text());
    }
    search.SetIgnoreCase(c.IgnoreCase);
    TMatchSpan span;
    EXPECT_EQ(search.LocateMatch(Column("A"), record, span), c.Located);
    EXPECT_EQ(span.First, c.Span.First);
    EXPECT_EQ(span.Last, c.Span.Last);
  }
}

}  // namespace
}  // namespace mervanta::test
