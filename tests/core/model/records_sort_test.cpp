#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "model/compare_values.h"
#include "model/records.h"
#include "model/safe_sort.h"
#include "records_fixture.h"

namespace mervanta::test {
namespace {

using TMessages = std::vector<std::string>;

std::vector<TRecord*> Entries(const TRecords& list) {
  return {list.Items().begin(), list.Items().end()};
}

// Columns A, B, C; records are named by their A and B cells.
class TSortTable : public TRecordsFixture {
 public:
  TSortTable() : TRecordsFixture(3) {}

  void AddRows(const std::vector<TRow>& rows) {
    for (const TRow& row : rows) All.Add(Make(row));
  }
  std::string Order() const {
    std::string order;
    for (const TRecord* record : All.Items()) {
      if (!order.empty()) order += ' ';
      order += std::string(record->Fields().Field(0)) + std::string(record->Fields().Field(1));
    }
    return order;
  }
  std::vector<TColumn*> ExtraKeys() const {
    return {All.ExtraKeys().begin(), All.ExtraKeys().end()};
  }

  // The keys a sort of All uses now: its sort column, its extra keys, the other columns.
  std::vector<const TColumn*> SortKeys() const {
    std::vector<const TColumn*> keys{All.SortColumn()};
    for (const TColumn* key : All.ExtraKeys()) keys.push_back(key);
    for (const auto& column : Columns) {
      if (std::find(keys.begin(), keys.end(), column.get()) == keys.end()) {
        keys.push_back(column.get());
      }
    }
    return keys;
  }
  // The order the sort promises: the keys one after the other, compared as cell texts, then
  // the records' addresses.
  std::vector<TRecord*> WrittenOrder() const {
    const std::vector<const TColumn*> keys = SortKeys();
    std::vector<TRecord*> order = Entries(All);
    SortSafely(std::span(order), [&](const TRecord* a, const TRecord* b) {
      for (const TColumn* column : keys) {
        const int result = CompareValuesForSort(a->Value(*column), b->Value(*column));
        if (result != 0) return result < 0;
      }
      return std::less<const TRecord*>()(a, b);
    });
    if (All.SortDirection() == TSortDirection::Descending) std::reverse(order.begin(), order.end());
    return order;
  }
};

TEST(RecordsSort, ClicksSortReverseAndAddKeys) {
  TSortTable t;
  // Records equal in A are ordered by C when C is a key, by B otherwise.
  t.AddRows({{"2", "x", "1"}, {"1", "y", "2"}, {"1", "x", "3"}, {"", "z", "0"}, {"10", "w", ""}});
  TColumn& a = t.Column("A");
  TColumn& b = t.Column("B");
  TColumn& c = t.Column("C");

  t.All.Sort(a, TSortKey::Only);
  EXPECT_EQ(t.Order(), "z 1x 1y 2x 10w");
  EXPECT_EQ(t.All.SortColumn(), &a);
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Ascending);

  t.All.Sort(c, TSortKey::Added);
  EXPECT_EQ(t.Order(), "z 1y 1x 2x 10w");
  EXPECT_EQ(t.All.SortColumn(), &a);
  EXPECT_EQ(t.ExtraKeys(), std::vector<TColumn*>{&c});

  // The sort column again only flips the direction: the order is reversed, not sorted anew
  // by A and then B.
  t.All.Sort(a, TSortKey::Only);
  EXPECT_EQ(t.Order(), "10w 2x 1x 1y z");
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Descending);
  EXPECT_TRUE(t.ExtraKeys().empty());
  t.All.Sort(a, TSortKey::Only);
  EXPECT_EQ(t.Order(), "z 1y 1x 2x 10w");
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Ascending);

  // A further key sorts ascending whatever the direction was; adding one again moves it last.
  t.All.Sort(a, TSortKey::Only);
  t.All.Sort(b, TSortKey::Added);
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Ascending);
  EXPECT_EQ(t.Order(), "z 1x 1y 2x 10w");
  t.All.Sort(c, TSortKey::Added);
  t.All.Sort(b, TSortKey::Added);
  EXPECT_EQ(t.ExtraKeys(), (std::vector<TColumn*>{&c, &b}));

  // Shift on the sort column itself drops the other keys and sorts anew the other way.
  t.All.Sort(a, TSortKey::Added);
  EXPECT_TRUE(t.ExtraKeys().empty());
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Descending);
  EXPECT_EQ(t.Order(), "10w 2x 1y 1x z");
}

TEST(RecordsSort, SortAnnouncesOnceAndKeepsTheCurrentRecord) {
  TSortTable t;
  t.AddRows({{"b"}, {"c"}, {"a"}});
  TRecordsMessages messages(t.All);
  t.All.Sort(t.Column("A"), TSortKey::Only);
  EXPECT_EQ(t.Order(), "a b c");
  EXPECT_EQ(messages.Seen, (TMessages{"BeginUpdate", "OrderChanged", "EndUpdate", "SortChanged",
                                      "ItemIndexChanged 0"}));
  EXPECT_EQ(t.All.ItemIndex(), 1);

  messages.Seen.clear();
  t.All.SetItemIndex(0);
  t.All.Sort(t.Column("A"), TSortKey::Only);
  EXPECT_EQ(t.All.ItemIndex(), 2);
  // A list already in order changes nothing but its sort state.
  t.All.Sort(t.Column("A"), TSortKey::Only);
  t.All.Sort(t.Column("B"), TSortKey::Only);
  EXPECT_EQ(
      messages.Seen,
      (TMessages{"ItemIndexChanged 1", "BeginUpdate", "OrderChanged", "EndUpdate", "SortChanged",
                 "ItemIndexChanged 0", "BeginUpdate", "OrderChanged", "EndUpdate", "SortChanged",
                 "ItemIndexChanged 2", "BeginUpdate", "EndUpdate", "SortChanged"}));
  EXPECT_EQ(t.All.SortColumn(), &t.Column("B"));
}

TEST(RecordsSort, SortByIsOneSortByAllItsKeys) {
  TSortTable t;
  t.AddRows({{"2", "x", "1"}, {"1", "y", "2"}, {"1", "x", "3"}, {"", "z", "0"}, {"10", "w", ""}});
  TColumn& a = t.Column("A");
  TColumn& c = t.Column("C");
  TColumn elsewhere(TColumnStorage::Stored);
  t.All.SetItemIndex(1);
  TRecordsMessages messages(t.All);

  // A key again, and a column of no list of this table, add nothing.
  const std::vector<TColumn*> keys{&a, &c, &a, &elsewhere};
  t.All.SortBy(keys, TSortDirection::Ascending);
  EXPECT_EQ(t.Order(), "z 1y 1x 2x 10w");
  EXPECT_EQ(t.All.SortColumn(), &a);
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Ascending);
  EXPECT_EQ(t.ExtraKeys(), std::vector<TColumn*>{&c});
  EXPECT_EQ(t.All.ItemIndex(), 1);
  EXPECT_EQ(messages.Seen, (TMessages{"BeginUpdate", "OrderChanged", "EndUpdate", "SortChanged"}));

  t.All.SortBy(keys, TSortDirection::Descending);
  EXPECT_EQ(t.Order(), "10w 2x 1x 1y z");
  EXPECT_EQ(t.All.SortDirection(), TSortDirection::Descending);
  EXPECT_EQ(t.ExtraKeys(), std::vector<TColumn*>{&c});
  EXPECT_EQ(t.All.ItemIndex(), 3);

  messages.Seen.clear();
  t.All.SortBy(std::vector<TColumn*>{&elsewhere}, TSortDirection::Ascending);
  EXPECT_TRUE(messages.Seen.empty());
  EXPECT_EQ(t.All.SortColumn(), &a);
}

TEST(RecordsSort, ChangesClearTheSortState) {
  struct TCase {
    const char* Name;
    bool OnOther;       // the sorted list is Other rather than All
    bool WithExtraKey;  // B is an extra key
    std::function<void(TSortTable&)> Change;
    bool Cleared;
  } cases[] = {
      {"a record added", false, false, [](TSortTable& t) { t.All.Add(t.Make({"z"})); }, true},
      {"the order changed", false, false, [](TSortTable& t) { t.All.Move(0, 1); }, true},
      {"a record edited", false, false,
       [](TSortTable& t) { MsgSender().Send(&t.All, TMsgCode::RecordEdited, 0, 0); }, true},
      {"the current record changed", false, false, [](TSortTable& t) { t.All.SetItemIndex(2); },
       false},
      {"a stored column added to the master", false, false, [](TSortTable& t) { t.AddColumn("D"); },
       true},
      {"a stored column added, elsewhere", true, false, [](TSortTable& t) { t.AddColumn("D"); },
       false},
      {"a computed column added to the master", false, false,
       [](TSortTable& t) { t.AddColumn("V", TColumnStorage::Virtual); }, false},
      {"a column moved in the master", false, false,
       [](TSortTable& t) { t.Columns.Move(t.Column("C"), 0); }, true},
      {"the sort column deleted", true, false,
       [](TSortTable& t) { t.Columns.Remove(t.Column("A")); }, true},
      {"another column deleted", true, false,
       [](TSortTable& t) { t.Columns.Remove(t.Column("C")); }, false},
      {"another column deleted while there are extra keys", true, true,
       [](TSortTable& t) { t.Columns.Remove(t.Column("C")); }, true},
      {"the columns reloaded", true, true, [](TSortTable& t) { t.Columns.Clear(); }, true},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TSortTable t;
    t.AddRows({{"b", "1"}, {"a", "2"}, {"c", "3"}});
    t.Other.AddList(t.All);
    TRecords& sorted = c.OnOther ? t.Other : t.All;
    sorted.Sort(t.Column("A"), TSortKey::Only);
    if (c.WithExtraKey) sorted.Sort(t.Column("B"), TSortKey::Added);
    TRecordsMessages messages(sorted);
    c.Change(t);
    EXPECT_EQ(sorted.SortColumn() == nullptr, c.Cleared);
    EXPECT_EQ(sorted.SortDirection() == TSortDirection::None, c.Cleared);
    EXPECT_EQ(sorted.ExtraKeys().empty(), c.Cleared || !c.WithExtraKey);
    EXPECT_EQ(std::count(messages.Seen.begin(), messages.Seen.end(), "SortChanged"),
              c.Cleared ? 1 : 0);
  }
}

TEST(RecordsSort, ColumnsReloadedEmptiesEveryList) {
  TSortTable t;
  t.AddRows({{"b"}, {"a"}});
  t.Other.AddList(t.All);
  t.Columns.Clear();
  EXPECT_EQ(t.All.Count(), 0);
  EXPECT_EQ(t.Other.Count(), 0);
}

// One kind of cell per column, so that the order is consistent: numbers written in several
// ways, dates, times, texts, computed texts, and empty cells everywhere, with many repeats so
// that ties reach the other columns and the records' identities.
TEST(RecordsSort, ConsistentValuesFollowTheWrittenOrder) {
  TSortTable t;
  TColumn& d = t.AddColumn("D");
  TColumn& computed = t.AddColumn("V", TColumnStorage::Virtual);
  computed.Formula->SetValue("UpperCase(#4)");
  const std::vector<std::vector<std::string>> values{
      {"", "1", "1.0", "01", "1e0", "-2", "10", "2,5", "2.50"},
      {"", "01.02.2020", "1.2.2020", "02.01.2020", "15.08.1999", "7", "007"},
      {"", "12:00", "12:00:00", "9:30", "09:30", "23:59:59", "3"},
      {"", "abc", "ABC", "b", "Ab", "a b"},
  };
  std::mt19937 random(5);
  for (int i = 0; i < 600; ++i) {
    TRow row;
    for (const auto& choices : values) row.push_back(choices[random() % choices.size()]);
    t.All.Add(t.Make(row));
  }
  for (TColumn* primary : {&t.Column("A"), &t.Column("B"), &t.Column("C"), &d, &computed}) {
    for (TColumn* extra : {static_cast<TColumn*>(nullptr), &d, &computed}) {
      SCOPED_TRACE(primary->Caption->Value() + (extra ? " then " + extra->Caption->Value() : ""));
      t.All.Reverse();  // a fresh start: no sort state, another order
      t.All.Sort(*primary, TSortKey::Only);
      if (extra != nullptr && extra != primary) t.All.Sort(*extra, TSortKey::Added);
      ASSERT_EQ(Entries(t.All), t.WrittenOrder());
      t.All.Sort(*primary, TSortKey::Added);
      ASSERT_EQ(t.All.SortDirection(), TSortDirection::Descending);
      ASSERT_EQ(Entries(t.All), t.WrittenOrder());
      for (const TSortDirection direction :
           {TSortDirection::Ascending, TSortDirection::Descending}) {
        t.All.Reverse();
        t.All.SortBy(std::vector<TColumn*>{primary, extra != nullptr ? extra : primary}, direction);
        ASSERT_EQ(Entries(t.All), t.WrittenOrder()) << static_cast<int>(direction);
      }
    }
  }
}

TEST(RecordsSort, AHostileMixEndsInAPermutation) {
  TSortTable t;
  const std::vector<std::string> cells{
      "",           "1",          "1.0",      "1e0",      "-0",       "0",     "01.02.2020",
      "1.2.2020",   "02.01.2020", "12:00",    "12:00:00", "9:30",     "abc",   "ABC",
      "31.02.2020", "25:00",      "01.01.01", "1:2:3",    "12.05",    "1e999", "1e99999",
      "--1",        "\xFF",       "\x01",     "9:30 PM",  "12:00 AM", "a b",   "0.5"};
  std::mt19937 random(9);
  for (int i = 0; i < 3000; ++i) {
    TRow row;
    for (int k = 0; k < 3; ++k) row.push_back(cells[random() % cells.size()]);
    t.All.Add(t.Make(row));
  }
  std::vector<TRecord*> expected = Entries(t.All);
  std::sort(expected.begin(), expected.end());
  for (const char* key : {"A", "B", "C"}) {
    SCOPED_TRACE(key);
    t.All.Sort(t.Column(key), TSortKey::Only);
    t.All.Sort(t.Column("B"), TSortKey::Added);
    t.All.Sort(t.Column(key), TSortKey::Added);
    std::vector<TRecord*> sorted = Entries(t.All);
    std::sort(sorted.begin(), sorted.end());
    EXPECT_EQ(sorted, expected);
  }
}

}  // namespace
}  // namespace mervanta::test
