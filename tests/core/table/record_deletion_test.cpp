// Deleting records: the lists that refer to them first, the owner last, then the records are
// freed; the marks follow every list.
#include "table/record_deletion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/search/search_table_fixture.h"

namespace mervanta::test {
namespace {

// The lists whose count changed, in order: the three sources by name, stored results as
// "stored".
class TCountChanges {
 public:
  explicit TCountChanges(const TTable& table) : Table_(table) {}
  std::vector<std::string> Seen;

 private:
  void Heard(const TMsg& msg) {
    if (msg.Code != TMsgCode::CountChanged) return;
    const TTableSources& sources = Table_.Sources();
    for (int i = 0; i < sources.SourceCount(); ++i) {
      if (msg.Sender == &sources.Source(i)) Seen.push_back(sources.SourceName(i));
    }
    for (const THistoryItem& item : Table_.SearchManager().BackHistory()) {
      if (msg.Sender == item.Results.get()) Seen.emplace_back("stored");
    }
  }

  const TTable& Table_;
  TMsgSubscription Subscription_{BindListener<&TCountChanges::Heard>(this)};
};

class RecordDeletionTest : public SearchTableTest {
 protected:
  // "b c d" found and stored as an earlier result, "c e" found now, "c f" chosen.
  RecordDeletionTest() {
    Run("bcd");
    Run("ce");
    Fill(Sources.Chosen, "cf");
  }
  std::string Stored() const { return Names(*Manager.BackHistory().front().Results); }
};

TEST_F(RecordDeletionTest, DeleteRecordRemovesTheReferencesFirst) {
  TCountChanges changes(Table);
  DeleteRecord(Table, Named('c'));
  EXPECT_EQ(changes.Seen, (std::vector<std::string>{"Chosen", "Search Results", "stored", "All"}));
  EXPECT_EQ(Names(All), "a b d e f");
  EXPECT_EQ(Names(Sources.SearchResults), "e");
  EXPECT_EQ(Names(Sources.Chosen), "f");
  EXPECT_EQ(Stored(), "b d");
  EXPECT_EQ(Found(), "e");
  EXPECT_EQ(Chosen(), "f");
  EXPECT_TRUE(Table.Modified());
}

TEST_F(RecordDeletionTest, DeleteRecordsRemovesManyInOnePassPerList) {
  TCountChanges changes(Table);
  TRecord* const doomed[] = {&Named('f'), &Named('b'), &Named('c')};
  DeleteRecords(Table, doomed);
  EXPECT_EQ(changes.Seen, (std::vector<std::string>{"Chosen", "Search Results", "stored", "All"}));
  EXPECT_EQ(Names(All), "a d e");
  EXPECT_EQ(Names(Sources.SearchResults), "e");
  EXPECT_EQ(Sources.Chosen.Count(), 0);
  EXPECT_EQ(Stored(), "d");
  EXPECT_EQ(Found(), "e");
  EXPECT_EQ(Chosen(), "");
}

TEST_F(RecordDeletionTest, DeleteRecordFreesOnlyWhatAllHolds) {
  TRecord& loose = All.NewRecord(1);
  loose.Fields().SetField(0, "z");
  DeleteRecord(Table, loose);
  TRecord& next = All.NewRecord(1);
  EXPECT_NE(&next, &loose);
  All.FreeRecord(next);
  All.FreeRecord(loose);
  EXPECT_EQ(Names(All), "a b c d e f");
}

TEST_F(RecordDeletionTest, DeleteChosenRecordsFreesThemThroughChosen) {
  TCountChanges changes(Table);
  DeleteChosenRecords(Table);
  EXPECT_EQ(changes.Seen, (std::vector<std::string>{"All", "Search Results", "stored", "Chosen"}));
  EXPECT_EQ(Names(All), "a b d e");
  EXPECT_EQ(Names(Sources.SearchResults), "e");
  EXPECT_EQ(Sources.Chosen.Count(), 0);
  EXPECT_EQ(Stored(), "b d");
  EXPECT_EQ(Found(), "e");
  EXPECT_EQ(Chosen(), "");
}

}  // namespace
}  // namespace mervanta::test
