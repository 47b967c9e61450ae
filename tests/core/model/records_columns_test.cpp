#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "model/records.h"
#include "records_fixture.h"

namespace mervanta::test {
namespace {

int CountOf(const std::vector<std::string>& seen, const char* name) {
  return static_cast<int>(std::count(seen.begin(), seen.end(), name));
}

TEST(RecordsColumns, TheMasterReshapesEveryRecordWhenStoredColumnsChange) {
  struct TCase {
    const char* Name;
    std::function<void(TRecordsFixture&)> Change;
    const char* Rows;
    bool FieldsChanged;
  } cases[] = {
      {"nothing", [](TRecordsFixture&) {}, "a1|b1|c1/a2|b2|c2", false},
      {"stored column added", [](TRecordsFixture& t) { t.AddColumn("D"); }, "a1|b1|c1|/a2|b2|c2|",
       true},
      {"computed column added",
       [](TRecordsFixture& t) { t.AddColumn("V", TColumnStorage::Virtual); }, "a1|b1|c1/a2|b2|c2",
       false},
      {"stored column deleted", [](TRecordsFixture& t) { t.Columns.Remove(t.Column("B")); },
       "a1|c1/a2|c2", true},
      {"computed column deleted",
       [](TRecordsFixture& t) { t.Columns.Remove(t.AddColumn("V", TColumnStorage::Virtual)); },
       "a1|b1|c1/a2|b2|c2", false},
      {"first stored column moved to the end",
       [](TRecordsFixture& t) { t.Columns.Move(t.Column("A"), 2); }, "b1|c1|a1/b2|c2|a2", true},
      {"last stored column moved to the start",
       [](TRecordsFixture& t) { t.Columns.Move(t.Column("C"), 0); }, "c1|a1|b1/c2|a2|b2", true},
      {"stored column moved past a computed one only",
       [](TRecordsFixture& t) {
         t.Columns.Move(t.AddColumn("V", TColumnStorage::Virtual), 0);
         t.Columns.Move(t.Column("V"), 1);
         t.Columns.Move(t.Column("A"), 1);
       },
       "a1|b1|c1/a2|b2|c2", false},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordsFixture table(3);
    table.All.Add(table.Make({"a1", "b1", "c1"}));
    table.All.Add(table.Make({"a2", "b2", "c2"}));
    table.Other.AddList(table.All);
    TRecordsMessages master(table.All);
    TRecordsMessages other(table.Other);
    c.Change(table);
    EXPECT_EQ(TRecordsFixture::Rows(table.All), c.Rows);
    EXPECT_EQ(CountOf(master.Seen, "FieldsChanged"), c.FieldsChanged ? 1 : 0);
    EXPECT_EQ(CountOf(other.Seen, "FieldsChanged"), 0);
    EXPECT_EQ(TRecordsFixture::Rows(table.Other), c.Rows) << "the same records";
  }
}

// Four stored columns described, two fields per line in the data file.
TEST(RecordsColumns, EnsuringColumnsAfterLoadingGivesEveryRecordItsFields) {
  TRecordsFixture table(4);
  table.All.Add(table.Make({"a", "b"}));
  table.All.Add(table.Make({"c", "d"}));
  table.Columns.EnsureStoredColumns(2);
  EXPECT_EQ(TRecordsFixture::Rows(table.All), "a|b||/c|d||");
}

TEST(RecordsColumns, ARecordWithEveryPossibleFieldTakesNoMore) {
  TRecordsFixture table;
  TRecord& full = table.All.NewRecord(TFieldArray::kMaxFieldCount);
  table.All.Add(full);
  table.All.Add(table.Make({"x"}));
  table.AddColumn("B");
  EXPECT_EQ(full.Fields().Count(), TFieldArray::kMaxFieldCount);
  EXPECT_EQ(table.Named("x").Fields().Count(), 2);
}

}  // namespace
}  // namespace mervanta::test
