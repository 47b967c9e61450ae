// The search manager: running searches into "Search Results", telling the user, the history
// of results, the previous search of a kind and the find commands through their dialogs.
#include "search/search_manager.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/search/search_table_fixture.h"
#include "search/fast_search.h"
#include "search/search_dialogs.h"
#include "search/usual_search.h"
#include "table/record_deletion.h"
#include "test_support/recording_user_interface.h"

namespace mervanta::test {
namespace {

// The letters of each search, oldest first.
std::string Letters(const std::deque<THistoryItem>& items) {
  std::string letters;
  for (const THistoryItem& item : items) {
    if (!letters.empty()) letters += '|';
    letters += static_cast<const TLetterSearch&>(*item.Search).Letters;
  }
  return letters;
}

std::string Letters(const TSearch* search) {
  return search != nullptr ? static_cast<const TLetterSearch&>(*search).Letters : "<none>";
}

std::vector<std::string> Messages(const TRecordingUserInterface& ui) {
  std::vector<std::string> messages;
  for (const std::string& event : ui.Events) {
    if (event.starts_with("message ")) messages.push_back(event);
  }
  return messages;
}

using SearchManagerTest = SearchTableTest;

TEST_F(SearchManagerTest, KeepsAtMost32EarlierResults) {
  for (int i = 0; i < 40; ++i) {
    Run(std::string(1, static_cast<char>('a' + i % 6)) + std::to_string(i));
    EXPECT_LE(Manager.BackHistory().size(), TSearchManager::kMaxBackHistory);
  }
  ASSERT_EQ(Manager.BackHistory().size(), 32u);
  EXPECT_EQ(Letters(Manager.BackHistory().front().Search.get()), "b7");
  EXPECT_EQ(Letters(Manager.BackHistory().back().Search.get()), "c38");
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "d39");
  EXPECT_EQ(TLetterSearch::Live, 33);
}

TEST_F(SearchManagerTest, StepsBackAndForthThroughTheResultsOnly) {
  Run("ab");
  Run("cde");
  Sources.SetCurrentIndex(TTableSources::kChosenIndex);
  All.SetItemIndex(5);
  TRecordingUserInterface ui;

  Manager.GoBack();
  EXPECT_EQ(Names(Sources.SearchResults), "a b");
  EXPECT_EQ(Found(), "ab");
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "ab");
  EXPECT_EQ(Letters(Manager.ForwardHistory()), "cde");
  EXPECT_FALSE(Manager.CanGoBack());
  EXPECT_TRUE(Manager.CanGoForward());

  Manager.GoForward();
  EXPECT_EQ(Names(Sources.SearchResults), "c d e");
  EXPECT_EQ(Found(), "cde");
  EXPECT_EQ(Letters(Manager.BackHistory()), "ab");
  EXPECT_FALSE(Manager.CanGoForward());

  Manager.GoForward();  // nothing ahead: nothing changes
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "cde");
  EXPECT_EQ(Letters(Manager.BackHistory()), "ab");
  EXPECT_TRUE(Messages(ui).empty());
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kChosenIndex);
  EXPECT_EQ(All.ItemIndex(), 5);
}

// Deleting a record takes it out of the stored results; a record removed from "All" some
// other way is left out when its result comes back.
TEST_F(SearchManagerTest, BringsBackAResultWithoutTheRecordsDeletedSince) {
  Run("abcd");
  Run("f");
  TRecord& b = Named('b');
  const TRecord* const place = &b;
  DeleteRecord(Table, b);
  All.Remove(Named('c'));
  TRecord& added = AddRecord(Table, {"g"});
  ASSERT_EQ(&added, place) << "a new record takes a freed one's place";

  Manager.GoBack();
  EXPECT_EQ(Names(Sources.SearchResults), "a d");
  EXPECT_EQ(Found(), "ad");
}

class OpenFoundPageTest : public SearchTableTest, public testing::WithParamInterface<bool> {};

TEST_P(OpenFoundPageTest, ShowsTheResultListOrTheFirstFoundRecordInAll) {
  const TScopedOption openFoundPage(*Options().Search->OpenFoundPage, GetParam());
  Run("ec");
  EXPECT_EQ(Sources.CurrentIndex(),
            GetParam() ? TTableSources::kSearchResultsIndex : TTableSources::kAllIndex);
  EXPECT_EQ(All.ItemIndex(), GetParam() ? 0 : 2);

  Sources.SetCurrentIndex(TTableSources::kAllIndex);
  Run("xyz");  // nothing found: nothing moves
  EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kAllIndex);
  EXPECT_EQ(All.ItemIndex(), GetParam() ? 0 : 2);
}

INSTANTIATE_TEST_SUITE_P(SearchManager, OpenFoundPageTest, testing::Bool());

TEST_F(SearchManagerTest, WithoutStoreHistoryKeepsOnlyTheCurrentSearch) {
  const TScopedOption storeHistory(*Options().Search->StoreHistory, false);
  Run("a");
  Run("b");
  Run("c");
  EXPECT_FALSE(Manager.CanGoBack());
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "c");
  EXPECT_EQ(TLetterSearch::Live, 1);
  Manager.GoBack();
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "c");
}

TEST_F(SearchManagerTest, NewSearchDiscardsTheForwardHistory) {
  Run("a");
  Run("b");
  Run("c");
  Manager.GoBack();
  Manager.GoBack();
  EXPECT_EQ(Letters(Manager.ForwardHistory()), "b|c");
  Run("d");
  EXPECT_FALSE(Manager.CanGoForward());
  EXPECT_EQ(Letters(Manager.BackHistory()), "a");
  EXPECT_EQ(TLetterSearch::Live, 2);
}

TEST_F(SearchManagerTest, FailingSearchIsCurrentAndLeavesTheResultsAlone) {
  Run("bc");
  EXPECT_THROW(Manager.Run(std::make_unique<TFailingSearch>(All)), EMervantaError);
  EXPECT_NE(dynamic_cast<TFailingSearch*>(Manager.CurrentSearch()), nullptr);
  EXPECT_EQ(Letters(Manager.BackHistory()), "bc");
  EXPECT_EQ(Names(Sources.SearchResults), "b c");
  EXPECT_EQ(Found(), "bc");
}

struct TInformCase {
  const char* Name;
  const char* Letters;
  int MoreOfA;
  int Matches;
  bool InformCount;
  bool InformEmpty;
  const char* Message;
};

// "Search Results" hold c and d before each search, which replaces them.
TEST_F(SearchManagerTest, TellsHowManyRecordsWereFound) {
  const TInformCase cases[] = {
      {"Two", "ab", 0, 2, true, true, "message Information: Records found: 2."},
      {"CountOff", "ab", 0, 2, false, true, nullptr},
      {"None", "xy", 0, 0, true, true, "message Information: No results found."},
      {"NoneSilent", "xy", 0, 0, true, false, nullptr},
      {"Grouped", "a", 1233, 1234, true, false, "message Information: Records found: 1 234."},
  };
  for (const TInformCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TScopedOption informCount(*Options().Search->InformCount, c.InformCount);
    const TScopedOption informEmpty(*Options().Search->InformEmpty, c.InformEmpty);
    for (int i = 0; i < c.MoreOfA; ++i) AddRecord(Table, {"a"});
    Fill(Sources.SearchResults, "cd");
    TRecordingUserInterface ui;
    Run(c.Letters);
    EXPECT_EQ(Messages(ui), c.Message != nullptr ? std::vector<std::string>{c.Message}
                                                 : std::vector<std::string>{});
    EXPECT_EQ(Sources.SearchResults.Count(), c.Matches);
    EXPECT_EQ(Found().size(), static_cast<std::size_t>(c.Matches));
  }
}

// The change and whether it forgets the stored searches.
struct TColumnsCase {
  const char* Name;
  void (*Change)(TTable& table);
  bool Clears;
};

TEST_F(SearchManagerTest, ForgetsEverySearchWhenColumnsAreAddedDeletedMovedOrReloaded) {
  const TColumnsCase cases[] = {
      {"Added", [](TTable& table) { AddColumn(table, "B"); }, true},
      {"Deleted", [](TTable& table) { table.Columns().Remove(table.Columns()[1]); }, true},
      {"Moved", [](TTable& table) { table.Columns().Move(table.Columns()[1], 0); }, true},
      {"Hidden", [](TTable& table) { table.Columns().ShowOnly(table.Columns()[0]); }, false},
      {"Reloaded",
       [](TTable& table) {
         TColumns copy;
         copy.Assign(table.Columns());
         table.Columns().Assign(copy);
       },
       true},
  };
  AddColumn(Table, "Z");
  for (const TColumnsCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Run("a");
    Run("b");
    Run("c");
    Manager.GoBack();
    c.Change(Table);
    EXPECT_EQ(Manager.CanGoBack(), !c.Clears);
    EXPECT_EQ(Manager.CanGoForward(), !c.Clears);
    EXPECT_EQ(Manager.CurrentSearch() == nullptr, c.Clears);
    EXPECT_EQ(TLetterSearch::Live, c.Clears ? 0 : 3);
    Manager.ClearHistory();
  }
}

TEST_F(SearchManagerTest, ColumnsOfAnotherTableChangeNothing) {
  Run("a");
  TTable other;
  AddColumn(other, "B");
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "a");
}

TEST_F(SearchManagerTest, FindsThePreviousSearchOfAKind) {
  EXPECT_EQ(Manager.FindPrevious<TLetterSearch>(), nullptr);
  Run("ab");
  Manager.Run(std::make_unique<TNarrowLetterSearch>(All, "c"));
  Run("d");
  EXPECT_EQ(Letters(Manager.FindPrevious<TLetterSearch>()), "d");
  EXPECT_EQ(Letters(Manager.FindPrevious<TNarrowLetterSearch>()), "c");
  EXPECT_EQ(Manager.FindPrevious<TFastSearch>(), nullptr);
  {
    const TScopedOption reset(*Options().Search->Reset, true);
    EXPECT_EQ(Manager.FindPrevious<TLetterSearch>(), nullptr);
  }
  Manager.GoBack();
  Manager.GoBack();  // the narrow search is ahead now, where no one looks
  EXPECT_EQ(Letters(Manager.FindPrevious<TLetterSearch>()), "ab");
  EXPECT_EQ(Manager.FindPrevious<TNarrowLetterSearch>(), nullptr);
}

TEST_F(SearchManagerTest, HighlightsWhatTheCurrentSearchLocates) {
  const TColumn& column = Table.Columns()[0];
  TMatchSpan span;
  EXPECT_FALSE(Manager.LocateMatch(column, Named('b'), span));
  Run("b");
  EXPECT_TRUE(Manager.LocateMatch(column, Named('b'), span));
  EXPECT_EQ(span.First, 1);
  EXPECT_EQ(span.Last, 1);
  EXPECT_FALSE(Manager.LocateMatch(column, Named('c'), span));
}

// Answers the find commands' dialogs and notes what they were opened with.
class TFakeSearchDialogs final : public TSearchDialogs {
 public:
  TFakeSearchDialogs() { InstallSearchDialogs(this); }
  ~TFakeSearchDialogs() override { InstallSearchDialogs(nullptr); }

  bool QuickSearchText(std::string& text) override {
    OpenedText = text;
    if (!Confirm) return false;
    text = EnteredText;
    return true;
  }
  bool NormalSearchValues(TRecords& all, TUsualValues& values) override {
    CardList = &all;
    OpenedValues = values;
    if (!Confirm) return false;
    values = EnteredValues;
    return true;
  }
  std::unique_ptr<TSearch> AdvancedSearch(TTableSources& sources) override {
    WizardSources = &sources;
    return std::move(Built);
  }

  bool Confirm = true;
  std::string EnteredText;
  TUsualValues EnteredValues;
  std::unique_ptr<TSearch> Built;

  std::optional<std::string> OpenedText;
  std::optional<TUsualValues> OpenedValues;
  TRecords* CardList = nullptr;
  TTableSources* WizardSources = nullptr;
};

TEST_F(SearchManagerTest, QuickSearchRunsTheEnteredTextOverAll) {
  TFakeSearchDialogs dialogs;
  dialogs.EnteredText = "C";
  Manager.QuickSearch();
  EXPECT_EQ(dialogs.OpenedText, "");
  const auto* search = dynamic_cast<const TFastSearch*>(Manager.CurrentSearch());
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->Text(), "C");
  EXPECT_EQ(&search->Source(), &All);
  EXPECT_EQ(Names(Sources.SearchResults), "c");

  dialogs.EnteredText = "";  // every record contains the empty text
  Manager.QuickSearch();
  EXPECT_EQ(dialogs.OpenedText, "C");
  EXPECT_EQ(Names(Sources.SearchResults), "a b c d e f");

  dialogs.Confirm = false;
  Manager.QuickSearch();
  EXPECT_EQ(Manager.BackHistory().size(), 1u);
}

TEST_F(SearchManagerTest, NormalSearchRunsTheCardsValuesOverAll) {
  TFakeSearchDialogs dialogs;
  dialogs.EnteredValues[0] = "e";
  Manager.NormalSearch();
  EXPECT_EQ(dialogs.CardList, &All);
  EXPECT_EQ(dialogs.OpenedValues, TUsualValues());
  const auto* search = dynamic_cast<const TUsualSearch*>(Manager.CurrentSearch());
  ASSERT_NE(search, nullptr);
  EXPECT_EQ(search->Values(), dialogs.EnteredValues);
  EXPECT_EQ(Names(Sources.SearchResults), "e");

  dialogs.Confirm = false;
  Manager.NormalSearch();
  EXPECT_EQ(dialogs.OpenedValues, dialogs.EnteredValues);
  EXPECT_FALSE(Manager.CanGoBack());
}

TEST_F(SearchManagerTest, AdvancedSearchRunsTheWizardsSearchWithItsOperation) {
  TFakeSearchDialogs dialogs;
  Manager.AdvancedSearch();  // cancelled
  EXPECT_EQ(dialogs.WizardSources, &Sources);
  EXPECT_EQ(Manager.CurrentSearch(), nullptr);

  Fill(Sources.SearchResults, "a");
  dialogs.Built = std::make_unique<TLetterSearch>(All, "cd");
  dialogs.Built->SetOperation(TSearchOperation::Add);
  Manager.AdvancedSearch();
  EXPECT_EQ(Letters(Manager.CurrentSearch()), "cd");
  EXPECT_EQ(Names(Sources.SearchResults), "a c d");
}

class ResetTest : public SearchTableTest, public testing::WithParamInterface<bool> {};

// A quick search for b, then a normal search for c in the first column; each dialog opens
// next time with what it was given last time, or empty with the option Reset.
TEST_P(ResetTest, SeedsTheDialogsWithThePreviousSearchOfTheirKind) {
  const TScopedOption reset(*Options().Search->Reset, GetParam());
  TFakeSearchDialogs dialogs;
  dialogs.EnteredText = "b";
  dialogs.EnteredValues[0] = "c";
  Manager.QuickSearch();
  Manager.NormalSearch();

  dialogs.Confirm = false;
  Manager.QuickSearch();
  Manager.NormalSearch();
  EXPECT_EQ(dialogs.OpenedText, GetParam() ? "" : "b");
  EXPECT_EQ(dialogs.OpenedValues, GetParam() ? TUsualValues() : dialogs.EnteredValues);
}

INSTANTIATE_TEST_SUITE_P(SearchManager, ResetTest, testing::Bool());

}  // namespace
}  // namespace mervanta::test
