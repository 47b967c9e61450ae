#include "table/table.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "table_fixture.h"

namespace mervanta::test {
namespace {

// Counts the table's ModifiedChanged announcements.
class TModifiedCounter {
 public:
  explicit TModifiedCounter(const TTable& table) : Table_(&table) {}
  int Count = 0;

 private:
  void Heard(const TMsg& msg) {
    if (msg.Sender == Table_ && msg.Code == TMsgCode::ModifiedChanged) ++Count;
  }
  const TTable* Table_;
  TMsgSubscription Subscription_{BindListener<&TModifiedCounter::Heard>(this)};
};

// A made table with columns A, B and =V and records y and x, not modified.
class TableTest : public testing::Test {
 protected:
  TableTest() {
    AddColumn(Table, "A");
    AddColumn(Table, "B");
    AddColumn(Table, "V", TColumnStorage::Virtual);
    AddRecord(Table, {"y", "2"});
    AddRecord(Table, {"x", "1"});
    Table.Sources().SearchResults.AddList(Table.Sources().All);
    Table.SetModified(false);
  }

  TTable Table;
};

struct TChangeCase {
  const char* Name;
  std::function<void(TTable&)> Change;
  bool Modifies;
};

class TableChangeTest : public TableTest, public testing::WithParamInterface<TChangeCase> {};

TEST_P(TableChangeTest, ColumnAndAllChangesMakeTheTableModified) {
  TModifiedCounter counter(Table);
  GetParam().Change(Table);
  EXPECT_EQ(Table.Modified(), GetParam().Modifies);
  EXPECT_EQ(counter.Count, GetParam().Modifies ? 1 : 0);
}

TColumn& ColumnOf(TTable& table, std::string_view caption) {
  return *table.Columns().FindByCaption(caption);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TableChangeTest,
    testing::Values(
        TChangeCase{"ColumnAdded", [](TTable& t) { AddColumn(t, "C", TColumnStorage::Virtual); },
                    true},
        TChangeCase{"ColumnDeleted", [](TTable& t) { t.Columns().Remove(ColumnOf(t, "V")); }, true},
        TChangeCase{"ColumnMoved", [](TTable& t) { t.Columns().Move(ColumnOf(t, "V"), 0); }, true},
        TChangeCase{"ColumnsReloaded", [](TTable& t) { t.Columns().Clear(); }, true},
        TChangeCase{"ColumnChanged", [](TTable& t) { ColumnOf(t, "A").Caption->SetValue("Z"); },
                    true},
        TChangeCase{"ColumnsShownChanged",
                    [](TTable& t) { t.Columns().ShowOnly(ColumnOf(t, "A")); }, true},
        TChangeCase{"ColumnsPrintChanged",
                    [](TTable& t) {
                      t.Columns().SetFlags(TColumnFlag::ToPrint,
                                           [](const TColumn&) { return false; });
                    },
                    true},
        TChangeCase{"ColumnsExportChanged",
                    [](TTable& t) {
                      t.Columns().SetFlags(TColumnFlag::ToExport,
                                           [](const TColumn&) { return false; });
                    },
                    true},
        TChangeCase{"CountChanged", [](TTable& t) { AddRecord(t, {"z"}); }, true},
        TChangeCase{"OrderChanged", [](TTable& t) { t.Sources().All.Move(0, 1); }, true},
        TChangeCase{"RecordEdited",
                    [](TTable& t) {
                      MsgSender().Send(&t.Sources().All, TMsgCode::RecordEdited, 0,
                                       reinterpret_cast<std::intptr_t>(&t.Sources().All.Item(0)));
                    },
                    true},
        TChangeCase{"FieldsChanged",
                    [](TTable& t) { MsgSender().Send(&t.Sources().All, TMsgCode::FieldsChanged); },
                    true},
        TChangeCase{"SortedAll",
                    [](TTable& t) { t.Sources().All.Sort(ColumnOf(t, "B"), TSortKey::Only); },
                    true},
        TChangeCase{"CurrentRecordOfAll", [](TTable& t) { t.Sources().All.SetItemIndex(1); },
                    false},
        TChangeCase{"SearchResultsChanged", [](TTable& t) { t.Sources().SearchResults.Clear(); },
                    false},
        TChangeCase{"ChosenChanged", [](TTable& t) { t.Sources().Chosen.AddList(t.Sources().All); },
                    false},
        TChangeCase{"CurrentSourceChanged", [](TTable& t) { t.Sources().SetCurrentIndex(1); },
                    false}),
    [](const testing::TestParamInfo<TChangeCase>& info) { return info.param.Name; });

TEST_F(TableTest, EveryTableOptionChangeModifiesAndDenySortFollows) {
  TTableOptions& options = Table.Options();
  for (TBooleanProperty* option : {options.AllowEmpty, options.NoEquals, options.InsertFirst,
                                   options.NoTrim, options.DenySort}) {
    SCOPED_TRACE(option->Name());
    Table.SetModified(false);
    option->SetValue(true);
    EXPECT_TRUE(Table.Modified());
    EXPECT_EQ(Table.Sources().All.DenySort(), option == options.DenySort);
    option->SetValue(false);
  }
  EXPECT_FALSE(Table.Sources().All.DenySort());
}

TEST_F(TableTest, ModifiedIsAnnouncedOnlyWhenItChanges) {
  TModifiedCounter counter(Table);
  Table.SetModified(true);
  Table.SetModified(true);
  Table.SetModified(false);
  Table.SetModified(false);
  EXPECT_EQ(counter.Count, 2);
}

TEST_F(TableTest, SettingThePasswordModifies) {
  Table.SetPassword("secret");
  EXPECT_EQ(Table.Password(), "secret");
  EXPECT_TRUE(Table.Modified());
}

TEST(Table, NewTableHasThreeColumnsIsModifiedAndUntitled) {
  TTable table;
  table.New();
  EXPECT_EQ(Captions(table.Columns()), "Column1 Column2 Column3");
  EXPECT_TRUE(table.Modified());
  EXPECT_FALSE(table.ReadOnly());
  EXPECT_EQ(table.FileName(), "");
  EXPECT_EQ(table.DisplayName(), "(Untitled)");
}

TEST(Table, NewTableKeepsTheColumnsItWasGiven) {
  TTable table;
  AddColumn(table, "Name");
  table.New();
  EXPECT_EQ(Captions(table.Columns()), "Name");
}

}  // namespace
}  // namespace mervanta::test
