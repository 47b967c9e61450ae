// Running a search into "Search Results": the three merges, the count of matches, the marks
// the table keeps, and a failing search that changes nothing.
#include "search/search.h"

#include <gtest/gtest.h>

#include <string>

#include "core/table/table_fixture.h"
#include "model/match_condition.h"
#include "search/extended_search.h"
#include "search/fast_search.h"
#include "support/errors.h"

namespace mervanta::test {
namespace {

// Counts MarksChanged from "All".
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

// A table of one column whose records are named ant, bee, cat, dog, eel and fox.
class SearchExecuteTest : public testing::Test {
 public:
  SearchExecuteTest() : Sources(Table.Sources()), All(Sources.All), Results(Sources.SearchResults) {
    AddColumn(Table, "Name");
    for (const char* name : {"ant", "bee", "cat", "dog", "eel", "fox"}) AddRecord(Table, {name});
  }

  void Fill(TRecords& list, std::string_view names) {
    TRecordsUpdate update(list);
    list.Clear();
    for (std::size_t at = 0; at < names.size(); at += 4) {
      const std::string_view name = names.substr(at, 3);
      for (TRecord* record : All.Items()) {
        if (record->Fields().Field(0) == name) list.Add(*record);
      }
    }
  }
  // The names of the records of "All" that carry the Found mark.
  std::string Found() const {
    std::string names;
    for (const TRecord* record : All.Items()) {
      if (!record->Found()) continue;
      if (!names.empty()) names += ' ';
      names += record->Fields().Field(0);
    }
    return names;
  }

  TTable Table;
  TTableSources& Sources;
  TRecords& All;
  TRecords& Results;
};

TEST_F(SearchExecuteTest, MergesTheMatchesIntoSearchResultsInOneUpdate) {
  struct TCase {
    const char* Name;
    TSearchOperation Operation;
    bool FromResults;
    std::string Before;
    std::string After;
  } cases[] = {
      {"replace", TSearchOperation::Replace, false, "dog ant", "bee eel"},
      {"add to nothing", TSearchOperation::Add, false, "", "bee eel"},
      {"add without doubles", TSearchOperation::Add, false, "eel cat", "eel cat bee"},
      {"remove", TSearchOperation::Remove, false, "eel cat bee", "cat"},
      {"remove what is absent", TSearchOperation::Remove, false, "ant fox", "ant fox"},
      {"narrow the results", TSearchOperation::Replace, true, "fox eel ant bee", "eel bee"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Fill(Results, c.Before);
    const TMarksCounter marks(All);
    TFastSearch search(c.FromResults ? Results : All, "E");
    search.SetOperation(c.Operation);
    EXPECT_EQ(search.Execute(Results), 2);
    EXPECT_EQ(TRecordsFixture::Names(Results), c.After);
    EXPECT_EQ(marks.Count, 1);
    for (const TRecord* record : All.Items()) {
      EXPECT_EQ(record->Found(), Results.IndexOf(*record) >= 0) << record->Fields().Field(0);
    }
    EXPECT_EQ(TRecordsFixture::Names(All), "ant bee cat dog eel fox");
  }
}

TEST_F(SearchExecuteTest, AQuickSearchForNothingFindsEveryRecord) {
  TFastSearch search(All, "");
  EXPECT_EQ(search.Execute(Results), 6);
  EXPECT_EQ(TRecordsFixture::Names(Results), "ant bee cat dog eel fox");
  EXPECT_EQ(Found(), "ant bee cat dog eel fox");
}

TEST_F(SearchExecuteTest, AMalformedMaskLeavesSearchResultsAndMarksAsTheyWere) {
  Fill(Results, "cat ant");
  const TMarksCounter marks(All);
  TExtendedSearch search(All);
  search.AddCondition(Table.Columns()[0], TConditionKind::MatchMask, 0, "a[b");
  try {
    search.Execute(Results);
    FAIL() << "no error";
  } catch (const EMervantaError& error) {
    EXPECT_STREQ(error.what(), "'a[b' is an invalid mask at (2)");
  }
  EXPECT_EQ(TRecordsFixture::Names(Results), "cat ant");
  EXPECT_EQ(Found(), "ant cat");
  EXPECT_EQ(marks.Count, 0);
}

}  // namespace
}  // namespace mervanta::test
