#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/table/table_fixture.h"
#include "exchange/import.h"
#include "support/errors.h"
#include "test_support/recording_user_interface.h"

namespace mervanta::test {
namespace {

class TImportTest : public testing::Test {
 protected:
  TImportTest() {
    AddColumn(Table, "A");
    AddColumn(Table, "B");
  }

  void SetOptions(bool allowEmpty, bool noEquals, bool insertFirst, bool noTrim) {
    TTableOptions& options = Table.Options();
    options.AllowEmpty->SetValue(allowEmpty);
    options.NoEquals->SetValue(noEquals);
    options.InsertFirst->SetValue(insertFirst);
    options.NoTrim->SetValue(noTrim);
  }

  int Import(const std::vector<std::string>& texts) {
    std::vector<std::string> files;
    for (const std::string& text : texts) {
      files.push_back(Folder.Write("import" + std::to_string(files.size()) + ".csv", text));
    }
    return ImportRecords(Table.Sources(), Table.Options(), files);
  }

  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : Ui.Events) {
      if (event.starts_with("message ")) messages.push_back(event);
    }
    return messages;
  }

  TTableFolder Folder;
  TTable Table;
  TRecordingUserInterface Ui;
};

struct TImportCase {
  const char* Name;
  bool AllowEmpty, NoEquals, InsertFirst, NoTrim;
  std::vector<TRow> Existing;
  const char* File;
  const char* Rows;  // "All" afterwards
  int Added;
};

TEST_F(TImportTest, TableOptionsDecideWhichRecordsJoinAndWhere) {
  const TImportCase cases[] = {
      {"trimmed", false, false, false, false, {}, " a ;\tb\x01\r\n", "a|b", 1},
      {"not trimmed", false, false, false, true, {}, " a ;\tb\r\n", " a |\tb", 1},
      {"blank lines dropped", false, false, false, false, {}, "x;1\r\n\r\ny;2\r\n", "x|1/y|2", 2},
      {"blank after trimming dropped", false, false, false, false, {}, "x;1\r\n ; \r\n", "x|1", 1},
      {"blank lines kept", true, false, false, false, {}, "x;1\r\n\r\ny;2\r\n", "x|1/|/y|2", 3},
      {"equals dropped, not within the file",
       false,
       true,
       false,
       false,
       {{"a", "1"}},
       "a;1\r\nb;2\r\nb;2\r\na;1\r\n",
       "a|1/b|2/b|2",
       2},
      {"equals kept without NoEquals",
       false,
       false,
       false,
       false,
       {{"a", "1"}},
       "a;1\r\n",
       "a|1/a|1",
       1},
      {"equality minds the case", false, true, false, false, {{"a", "1"}}, "A;1\r\n", "a|1/A|1", 1},
      {"equality after trimming", false, true, false, false, {{"a", "1"}}, " a ;1\r\n", "a|1", 0},
      {"inserted first, last first",
       false,
       false,
       true,
       false,
       {{"z", "0"}},
       "A;1\r\nB;2\r\nC;3\r\n",
       "C|3/B|2/A|1/z|0",
       3},
      {"equality past a long common start",
       false,
       true,
       false,
       false,
       {{"ppppppppppppppppppppppppppppppppppppppppx", "1"}},
       "ppppppppppppppppppppppppppppppppppppppppy;1\r\nppppppppppppppppppppppppppppppppppppppppx;"
       "1\r\n",
       "ppppppppppppppppppppppppppppppppppppppppx|1/ppppppppppppppppppppppppppppppppppppppppy|1",
       1},
      {"a missing field equals an empty one", false, true, false, false, {{"a"}}, "a;\r\n", "a", 0},
      {"extra fields are no part of equality",
       false,
       true,
       false,
       false,
       {{"a", "1"}},
       "a;1;x\r\n",
       "a|1",
       0},
      {"extra fields kept", false, false, false, false, {}, "a;b;c\r\n", "a|b|c", 1},
      {"missing fields empty", false, false, false, false, {}, "a;b\r\nc\r\n", "a|b/c|", 2},
  };
  for (const TImportCase& test : cases) {
    SCOPED_TRACE(test.Name);
    Table.Sources().All.FreeAll();
    for (const TRow& row : test.Existing) AddRecord(Table, row);
    SetOptions(test.AllowEmpty, test.NoEquals, test.InsertFirst, test.NoTrim);
    EXPECT_EQ(Import({test.File}), test.Added);
    EXPECT_EQ(Rows(Table), test.Rows);
  }
}

TEST_F(TImportTest, InsertedFirstSelectsTheFirstRecordThatWasThereBefore) {
  AddRecord(Table, {"z", "0"});
  SetOptions(false, false, true, false);
  Import({"A;1\r\nB;2\r\n"});
  EXPECT_EQ(Table.Sources().All.ItemIndex(), 2);
}

TEST_F(TImportTest, FilesFollowOneAnotherAndOneMessageTellsTheSum) {
  SetOptions(false, true, false, false);
  Table.Sources().SetCurrentIndex(TTableSources::kSearchResultsIndex);
  EXPECT_EQ(Import({"a;1\r\nb;2\r\n", "c;3\r\n", "b;2\r\nd;4\r\ne;5\r\n"}), 5);
  EXPECT_EQ(Rows(Table), "a|1/b|2/c|3/d|4/e|5");
  EXPECT_EQ(Messages(), std::vector<std::string>{"message Information: 5 records added."});
  EXPECT_EQ(Table.Sources().CurrentIndex(), TTableSources::kAllIndex);
  EXPECT_EQ(Table.Sources().SearchResults.Count(), 0);
  EXPECT_TRUE(Table.Modified());
}

TEST_F(TImportTest, TheTotalHasItsDigitsGrouped) {
  std::string text;
  for (int i = 0; i < 1234; ++i) text += "r" + std::to_string(i) + ";x\r\n";
  EXPECT_EQ(Import({text}), 1234);
  EXPECT_EQ(Messages(), std::vector<std::string>{"message Information: 1 234 records added."});
}

TEST_F(TImportTest, ImportingTheTablesOwnDataWithNoEqualsAddsNothing) {
  const std::string path = Folder.Write("own.csv", "a;1\r\nb;2\r\n\r\n");
  TTable own;
  own.Open(path, "", false);
  own.Options().NoEquals->SetValue(true);
  own.SetModified(false);
  EXPECT_EQ(ImportRecords(own.Sources(), own.Options(), std::vector<std::string>{path}), 0);
  EXPECT_EQ(Rows(own), "a|1/b|2/|");
  EXPECT_EQ(Messages(), std::vector<std::string>{"message Information: 0 records added."});
  EXPECT_FALSE(own.Modified());
}

TEST_F(TImportTest, CountersAreNeitherCellsOfEmptyNorOfEqualRecords) {
  TColumn& counter = AddColumn(Table, "N");
  counter.SetColumnType(TColumnType::Counter);
  AddRecord(Table, {"a", "1", "7"});
  SetOptions(false, true, false, false);
  EXPECT_EQ(Import({";;5\r\na;1;8\r\na;2;7\r\n"}), 1);
  EXPECT_EQ(Rows(Table), "a|1|7/a|2|7");
}

// Computed columns hold no field: imported records get one field per stored column only, so
// that the next save writes every line with the same field count.
TEST_F(TImportTest, RecordsGetTheStoredColumnsFieldsOnly) {
  TColumn& computed = AddColumn(Table, "V", TColumnStorage::Virtual);
  computed.Formula->SetValue("#1+#2");
  Import({"a;b\r\nc\r\n"});
  EXPECT_EQ(Rows(Table), "a|b/c|");
  EXPECT_EQ(Table.Sources().All.Item(0).Value(computed), "ab");
}

TEST_F(TImportTest, AFailingFileStopsTheImportAndKeepsTheFilesBefore) {
  const std::vector<std::string> files = {Folder.Write("one.csv", "a;1\r\n"),
                                          Folder.File("missing.csv"),
                                          Folder.Write("three.csv", "c;3\r\n")};
  EXPECT_THROW(ImportRecords(Table.Sources(), Table.Options(), files), EMervantaError);
  EXPECT_EQ(Rows(Table), "a|1");
  EXPECT_TRUE(Messages().empty());

  const std::string unreadable = Folder.Write("long.csv", std::string(70000, 'x') + "\r\n");
  try {
    ImportRecords(Table.Sources(), Table.Options(), std::vector<std::string>{unreadable});
    ADD_FAILURE() << "no error";
  } catch (const EMervantaError& error) {
    EXPECT_STREQ(error.what(), "Stream read error");
  }
  EXPECT_EQ(Rows(Table), "a|1");
}

TEST_F(TImportTest, DeclinedUnicodeQuestionAddsNothing) {
  Ui.Answers.push_back(TAnswer::No);
  const std::string utf16("a\0;\0b\0\r\0\n\0", 10);
  EXPECT_THROW(Import({utf16}), EMervantaError);
  EXPECT_EQ(Rows(Table), "");
}

}  // namespace
}  // namespace mervanta::test
