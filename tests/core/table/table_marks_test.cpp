// The table keeps the Found and Chosen marks and the "Chosen" list's place among the sources.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/table/table_fixture.h"
#include "table/table.h"

namespace mervanta::test {
namespace {

// Counts MarksChanged from a list.
class TMarksCounter {
 public:
  explicit TMarksCounter(const TRecords& all) : All_(&all) {}
  int Count = 0;

 private:
  void Heard(const TMsg& msg) {
    if (msg.Sender == All_ && msg.Code == TMsgCode::MarksChanged) ++Count;
  }
  const TRecords* All_;
  TMsgSubscription Subscription_{BindListener<&TMarksCounter::Heard>(this)};
};

// A table whose "All" holds the one-field records a to f.
class TableMarksTest : public testing::Test {
 public:
  TableMarksTest() : Sources(Table.Sources()), All(Sources.All) {
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) AddRecord(Table, {name});
  }

  TRecord& Named(char name) const { return All.Item(name - 'a'); }
  // Fills the list with the named records in one update.
  void Fill(TRecords& list, std::string_view names) const {
    TRecordsUpdate update(list);
    list.Clear();
    for (char name : names) list.Add(Named(name));
  }
  // The names of the records of "All" with the mark.
  std::string Marked(bool (TRecord::*mark)() const) const {
    std::string names;
    for (const TRecord* record : All.Items()) {
      if ((record->*mark)()) names += record->Fields().Field(0);
    }
    return names;
  }
  std::string Found() const { return Marked(&TRecord::Found); }
  std::string Chosen() const { return Marked(&TRecord::Chosen); }

  TTable Table;
  TTableSources& Sources;
  TRecords& All;
};

class UseChoiceTest : public testing::TestWithParam<bool> {};

TEST_P(UseChoiceTest, EnablesChosenFromTheStart) {
  const TScopedOption useChoice(*Options().Main->UseChoice, GetParam());
  TTable table;
  const TTableSources& sources = table.Sources();
  EXPECT_TRUE(sources.SourceEnabled(TTableSources::kAllIndex));
  EXPECT_TRUE(sources.SourceEnabled(TTableSources::kSearchResultsIndex));
  EXPECT_EQ(sources.SourceEnabled(TTableSources::kChosenIndex), GetParam());
  for (int i = 0; i < 3; ++i) EXPECT_EQ(sources.Source(i).Count(), 0);
}

INSTANTIATE_TEST_SUITE_P(Table, UseChoiceTest, testing::Bool());

TEST_F(TableMarksTest, SwitchingUseChoiceOffEmptiesAndLeavesTheChosenList) {
  Fill(Sources.Chosen, "bc");
  Fill(Sources.SearchResults, "c");
  Sources.SetCurrentIndex(TTableSources::kChosenIndex);
  {
    const TScopedOption useChoice(*Options().Main->UseChoice, false);
    EXPECT_FALSE(Sources.SourceEnabled(TTableSources::kChosenIndex));
    EXPECT_EQ(Sources.Chosen.Count(), 0);
    EXPECT_EQ(Chosen(), "");
    EXPECT_EQ(Sources.CurrentIndex(), TTableSources::kAllIndex);
    EXPECT_EQ(Found(), "c");
  }
  EXPECT_TRUE(Sources.SourceEnabled(TTableSources::kChosenIndex));
  EXPECT_EQ(Sources.Chosen.Count(), 0);
}

struct TMarksCase {
  const char* Name;
  std::function<void(TableMarksTest&, TRecords&)> Change;
  const char* Marked;
};

class MarksTest : public TableMarksTest,
                  public testing::WithParamInterface<std::tuple<int, TMarksCase>> {};

// Each list starts with a, b and c; one update of one list leaves its marks exact, the other
// list's untouched, and announces MarksChanged once.
TEST_P(MarksTest, FollowEveryChangeOfTheList) {
  const auto& [index, c] = GetParam();
  Fill(Sources.SearchResults, "abc");
  Fill(Sources.Chosen, "abc");
  TRecords& list = Sources.Source(index);
  TMarksCounter counter(All);
  c.Change(*this, list);
  const bool found = index == TTableSources::kSearchResultsIndex;
  EXPECT_EQ(found ? Found() : Chosen(), c.Marked);
  EXPECT_EQ(found ? Chosen() : Found(), "abc");
  EXPECT_EQ(counter.Count, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Table, MarksTest,
    testing::Combine(
        testing::Values(TTableSources::kSearchResultsIndex, TTableSources::kChosenIndex),
        testing::Values(
            TMarksCase{"Replaced", [](auto& t, TRecords& list) { t.Fill(list, "cd"); }, "cd"},
            TMarksCase{"AddedUnique", [](auto& t, TRecords& list) { list.AddUnique(t.All); },
                       "abcdef"},
            TMarksCase{"Inverted", [](auto& t, TRecords& list) { list.FlipList(t.All); }, "def"},
            TMarksCase{"FlippedOut", [](auto& t, TRecords& list) { list.Flip(t.Named('a')); },
                       "bc"},
            TMarksCase{"FlippedIn", [](auto& t, TRecords& list) { list.Flip(t.Named('e')); },
                       "abce"},
            TMarksCase{"Removed", [](auto& t, TRecords& list) { list.Remove(t.Named('b')); }, "ac"},
            TMarksCase{"Cleared", [](auto&, TRecords& list) { list.Clear(); }, ""})),
    [](const auto& info) {
      return std::string(std::get<0>(info.param) == TTableSources::kChosenIndex ? "Chosen"
                                                                                : "Found") +
             std::get<1>(info.param).Name;
    });

// The delete command's order: references first, the owner last, the record freed at the end.
TEST_F(TableMarksTest, DeletingTheCurrentChosenAndFoundRecordLeavesNoReference) {
  Fill(Sources.SearchResults, "bcd");
  Fill(Sources.Chosen, "ce");
  Sources.SetCurrentIndex(TTableSources::kAllIndex);
  All.SetItemIndex(2);
  TRecord& record = *Sources.CurrentRecord();
  ASSERT_EQ(record.Fields().Field(0), "c");

  Sources.Chosen.Remove(record);
  Sources.SearchResults.Remove(record);
  All.Remove(record);
  All.FreeRecord(record);

  EXPECT_EQ(TRecordsFixture::Names(All), "a b d e f");
  EXPECT_EQ(TRecordsFixture::Names(Sources.SearchResults), "b d");
  EXPECT_EQ(TRecordsFixture::Names(Sources.Chosen), "e");
  EXPECT_EQ(Found(), "bd");
  EXPECT_EQ(Chosen(), "e");
  EXPECT_EQ(Sources.CurrentRecord()->Fields().Field(0), "d");
}

TEST_F(TableMarksTest, DeletingAllChosenRecordsFreesThemThroughChosen) {
  Fill(Sources.SearchResults, "abc");
  Fill(Sources.Chosen, "bd");
  All.RemoveList(Sources.Chosen);
  Sources.SearchResults.RemoveList(Sources.Chosen);
  Sources.Chosen.FreeAll();

  EXPECT_EQ(TRecordsFixture::Names(All), "a c e f");
  EXPECT_EQ(TRecordsFixture::Names(Sources.SearchResults), "a c");
  EXPECT_EQ(Sources.Chosen.Count(), 0);
  EXPECT_EQ(Found(), "ac");
  EXPECT_EQ(Chosen(), "");
}

}  // namespace
}  // namespace mervanta::test
