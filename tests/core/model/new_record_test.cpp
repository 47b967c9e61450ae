#include "model/new_record.h"

#include <gtest/gtest.h>

#include <string>

#include "model/record_validation.h"
#include "model/table_options.h"
#include "records_fixture.h"

namespace mervanta::test {
namespace {

TEST(NewRecord, CounterProposesOneMoreThanTheLargestInteger) {
  struct TCase {
    const char* Name;
    TRow Values;
    const char* Proposed;
  } cases[] = {
      {"empty table", {}, "1"},
      {"texts are passed over", {"3", "x", "10"}, "11"},
      {"only values above 0 count", {"-5", "", "0"}, "1"},
      {"hexadecimal and signs read as integers", {"$10", "+4", "2.5"}, "17"},
      {"too large for 32 bits", {"4294967296", "7"}, "8"},
      {"the largest 32-bit value", {"2147483647"}, "2147483648"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordsFixture table(2);
    TColumn& counter = table.Column("B");
    counter.SetColumnType(TColumnType::Counter);
    for (const std::string& value : c.Values) table.All.Add(table.Make({"a", value}));
    EXPECT_EQ(NextCounterValue(table.All, counter), c.Proposed);
  }
}

TDateTime Moment() {
  TDateTime date = 0;
  EXPECT_TRUE(TryEncodeDate(2024, 3, 5, date));
  return date;
}

// Columns No (Counter), Name (must not be empty), Code (must not repeat), Note and a computed
// V, holding records 1 Ann A1 x and 2 Bob - y.
class NewRecordTest : public testing::Test {
 protected:
  NewRecordTest() : Table(4) {
    Table.Columns[0].Caption->SetValue("No");
    Table.Columns[0].SetColumnType(TColumnType::Counter);
    Table.Columns[1].Caption->SetValue("Name");
    Table.Columns[1].UniqueValues->SetValue(true);
    Table.Columns[2].Caption->SetValue("Code");
    Table.Columns[2].FilledValues->SetValue(true);
    Table.Columns[3].Caption->SetValue("Note");
    Table.AddColumn("V", TColumnStorage::Virtual).Formula->SetValue("#2+#3");
    Table.All.Add(Table.Make({"1", "Ann", "A1", "x"}));
    Table.All.Add(Table.Make({"2", "Bob", "", "y"}));
  }

  // A new record with the defaults and the three texts for Name, Code and Note.
  void Fill(TNewRecord& record, const TRow& values) {
    record.LoadDefaults(Moment());
    for (std::size_t i = 0; i < values.size(); ++i) {
      record.SetValue(Table.Columns[static_cast<int>(i) + 1], values[i]);
    }
  }

  TRecordsFixture Table;
  TTableOptions Options;
};

TEST_F(NewRecordTest, DefaultsExpandTheirMacrosAndCountersFollowTheTable) {
  Table.Column("Name").Default->SetValue("on $Date$");
  Table.Column("Note").Default->SetValue("  kept as typed ");
  TNewRecord record(Table.All, Options);
  record.LoadDefaults(Moment());
  EXPECT_EQ(record.Value(Table.Column("No")), "3");
  EXPECT_EQ(record.Value(Table.Column("Name")), "on 05.03.2024");
  EXPECT_EQ(record.Value(Table.Column("Code")), "");
  EXPECT_EQ(record.Value(Table.Column("Note")), "  kept as typed ");
  EXPECT_EQ(record.Value(Table.Column("V")), "");

  record.SetValue(Table.Column("Code"), "C9");
  const TRecord& added = record.Add();
  EXPECT_EQ(TRecordsFixture::Rows(Table.All),
            "1|Ann|A1|x/2|Bob||y/3|on 05.03.2024|C9|kept as typed");
  EXPECT_EQ(added.Value(Table.Column("V")), "on 05.03.2024C9");
  EXPECT_EQ(Table.All.ItemIndex(), 2);

  record.LoadDefaults(Moment());
  EXPECT_EQ(record.Value(Table.Column("No")), "4");
}

TEST_F(NewRecordTest, ValidationRefusesWithTheCardsMessagesInOrder) {
  struct TCase {
    const char* Name;
    TRow Values;
    bool AllowEmpty;
    bool NoEquals;
    bool NoTrim;
    // Empty when the record is accepted.
    const char* Message;
    // The column the card focuses; empty for the whole record.
    const char* Column;
  } cases[] = {
      {"empty although the counter holds a number",
       {},
       false,
       false,
       false,
       "Cannot add an empty record to the table. Please specify at least one value.",
       ""},
      {"blanks are trimmed away",
       {" ", "\t", "  "},
       false,
       false,
       false,
       "Cannot add an empty record to the table. Please specify at least one value.",
       ""},
      {"allowed empty, the column rules still hold",
       {},
       true,
       true,
       false,
       "Value in column \"Name\" cannot be empty",
       "Name"},
      {"a value must not be empty",
       {"", "", "z"},
       false,
       false,
       false,
       "Value in column \"Name\" cannot be empty",
       "Name"},
      {"equal but for the counter",
       {"Ann", "A1", "x"},
       false,
       true,
       false,
       "This record already exists in this table.",
       ""},
      {"equal once trimmed",
       {" Ann", "A1 ", "x"},
       false,
       true,
       false,
       "This record already exists in this table.",
       ""},
      {"untrimmed it differs, but its code repeats",
       {" Ann", "A1", "x"},
       false,
       true,
       true,
       "This value already exists in column \"Code\".",
       "Code"},
      {"equal records allowed, the code repeats",
       {"Ann", "A1", "x"},
       false,
       false,
       false,
       "This value already exists in column \"Code\".",
       "Code"},
      {"duplicates compare letter case", {"ann", "A2", "x"}, false, true, false, "", ""},
      {"codes compare letter case", {"Cid", "a1", ""}, false, false, false, "", ""},
      {"an empty code may repeat", {"Cid", "", ""}, false, false, false, "", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    Options.AllowEmpty->SetValue(c.AllowEmpty);
    Options.NoEquals->SetValue(c.NoEquals);
    Options.NoTrim->SetValue(c.NoTrim);
    const std::string before = TRecordsFixture::Rows(Table.All);
    TNewRecord record(Table.All, Options);
    Fill(record, c.Values);
    if (*c.Message == '\0') {
      EXPECT_NO_THROW(record.Add());
      EXPECT_EQ(Table.All.Count(), 3);
      TRecord& added = Table.All.Item(2);
      Table.All.Delete(2);
      Table.All.FreeRecord(added);
      continue;
    }
    try {
      record.Add();
      ADD_FAILURE() << "accepted";
    } catch (const ERecordRefused& refused) {
      EXPECT_STREQ(refused.what(), c.Message);
      EXPECT_EQ(refused.Column() ? refused.Column()->Caption->Value() : "", c.Column);
    }
    EXPECT_EQ(TRecordsFixture::Rows(Table.All), before);
  }
}

TEST_F(NewRecordTest, AnUnchangedCopyOfTheTemplateIsAccepted) {
  Options.NoEquals->SetValue(true);
  TRecord& ann = Table.All.Item(0);
  TNewRecord copy(Table.All, Options);
  copy.LoadTemplate(ann);
  EXPECT_EQ(copy.Value(Table.Column("No")), "3");
  EXPECT_EQ(copy.Value(Table.Column("Code")), "A1");
  copy.Add();

  // The copy now stands beside the template: a third one equals a record that is not spared.
  copy.LoadTemplate(ann);
  EXPECT_THROW(copy.Add(), ERecordRefused);
  EXPECT_EQ(TRecordsFixture::Rows(Table.All), "1|Ann|A1|x/2|Bob||y/3|Ann|A1|x");
}

TEST_F(NewRecordTest, RecordsGoWhereTheOptionsAndTheCallerSay) {
  struct TCase {
    const char* Name;
    bool InsertFirst;
    int InsertIndex;
    const char* Order;
  } cases[] = {
      {"appended", false, -1, "Ann Bob c d"},
      {"first", true, -1, "d c Ann Bob"},
      {"at an index, each above the one before", true, 1, "Ann d c Bob"},
      {"an index past the end appends", false, 7, "Ann Bob c d"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TRecordsFixture table(1);
    table.All.Add(table.Make({"Ann"}));
    table.All.Add(table.Make({"Bob"}));
    Options.InsertFirst->SetValue(c.InsertFirst);
    TNewRecord record(table.All, Options);
    for (const char* name : {"c", "d"}) {
      record.LoadDefaults();
      record.SetValue(table.Column("A"), name);
      const TRecord& added = record.Add(c.InsertIndex);
      EXPECT_EQ(&table.All.Item(table.All.ItemIndex()), &added);
    }
    EXPECT_EQ(TRecordsFixture::Names(table.All), c.Order);
  }
}

}  // namespace
}  // namespace mervanta::test
