#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <memory>
#include <string>

#include "model/protecter.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/locked_file.h"
#include "table/table.h"
#include "table_fixture.h"

namespace mervanta::test {
namespace {

bool LockedByOther(const std::string& path) {
  TLockedFile probe;
  return probe.Acquire(path) == TLockedFile::TStatus::LockedByOther;
}

std::string CurrentFolder() {
  return std::filesystem::current_path().string();
}

bool AllOptionsDefault(TTableOptions& options) {
  for (int i = 0; i < options.PropertyCount(); ++i) {
    if (!options.PropertyAt(i).IsDefault()) return false;
  }
  return true;
}

class TableStorageTest : public testing::Test {
 protected:
  // The table "t" in the folder: its data file, and its description when one is given.
  std::string WriteTable(std::string_view data, std::string_view description = {}) {
    if (!description.empty()) Folder.Write("t.kx", description);
    return Folder.Write("t.csv", data);
  }
  std::string CopyFixture(std::string_view fixture, std::string_view name) {
    return Folder.Write(name, ReadWholeFile(DataFile(fixture)));
  }

  TTableFolder Folder;
};

TEST_F(TableStorageTest, DataFileWithoutDescriptionGetsColumnsForTheWidestLine) {
  const std::string path = WriteTable("a;b;c\r\nd;e\r\n");
  TTable table;
  table.Open(path, "", false);

  EXPECT_EQ(Captions(table.Columns()), "Column1 Column2 Column3");
  EXPECT_EQ(Rows(table), "a|b|c/d|e|");
  EXPECT_TRUE(AllOptionsDefault(table.Options()));
  const TTableSources& sources = table.Sources();
  EXPECT_EQ(sources.HorzPoz->Value() | sources.SelIndex->Value() | sources.TopIndex->Value(), 0);
  EXPECT_FALSE(table.Modified());
  EXPECT_FALSE(table.ReadOnly());
  EXPECT_EQ(table.FileName(), path);
  EXPECT_EQ(table.DisplayName(), "t");
  EXPECT_EQ(CurrentFolder(), Folder.Path());
  EXPECT_TRUE(LockedByOther(path));
}

TEST_F(TableStorageTest, DescriptionGivesColumnsOptionsAndViewState) {
  const std::string path =
      WriteTable("ann;1\r\nbob;2\r\n", ReadWholeFile(DataFile("model/table/description.kx")));
  for (const bool saveSelection : {true, false}) {
    SCOPED_TRACE(saveSelection);
    const TScopedOption option(*Options().Other->SaveSelection, saveSelection);
    TTable table;
    table.Open(path, "", false);
    // The data's second field gets a column after those of the description.
    EXPECT_EQ(Captions(table.Columns()), "Name =Again Column1");
    EXPECT_EQ(Rows(table), "ann|1/bob|2");
    EXPECT_TRUE(table.Options().AllowEmpty->Value());
    EXPECT_EQ(table.Sources().TopIndex->Value(), saveSelection ? 2 : 0);
    EXPECT_FALSE(table.Modified());
  }
}

TEST_F(TableStorageTest, DenySortOfTheDescriptionReachesAll) {
  const std::string path =
      WriteTable("a\r\n", "<Table><Options><DenySort value=\"Y\" /></Options></Table>");
  TTable table;
  table.Open(path, "", false);
  EXPECT_TRUE(table.Sources().All.DenySort());
}

struct TBadDescriptionCase {
  const char* Name;
  const char* Bytes;  // null: a folder takes the description's name
};

class BadDescriptionTest : public TableStorageTest,
                           public testing::WithParamInterface<TBadDescriptionCase> {};

TEST_P(BadDescriptionTest, LeavesTheDefaults) {
  const std::string path = WriteTable("a;b\r\n");
  if (GetParam().Bytes == nullptr) {
    ASSERT_EQ(::mkdir(Folder.File("t.kx").c_str(), 0700), 0);
  } else {
    Folder.Write("t.kx", GetParam().Bytes);
  }
  TTable table;
  table.Open(path, "", false);
  EXPECT_EQ(Captions(table.Columns()), "Column1 Column2");
  EXPECT_TRUE(AllOptionsDefault(table.Options()));
  EXPECT_EQ(Rows(table), "a|b");
}

INSTANTIATE_TEST_SUITE_P(Table, BadDescriptionTest,
                         testing::Values(TBadDescriptionCase{"Folder", nullptr},
                                         TBadDescriptionCase{"Binary", "\x01\xff\xfe<<\"<Columns"},
                                         TBadDescriptionCase{"Truncated", "<Table><Colu"},
                                         TBadDescriptionCase{"Empty", ""}),
                         [](const testing::TestParamInfo<TBadDescriptionCase>& info) {
                           return info.param.Name;
                         });

struct TSaveDescriptionCase {
  bool SaveSelection;
  const char* Expected;
};

class SaveDescriptionTest : public TableStorageTest,
                            public testing::WithParamInterface<TSaveDescriptionCase> {};

// Other versions' elements survive, "LastSession" goes, "Options" loses its attributes, and
// the view state is written or removed.
TEST_P(SaveDescriptionTest, RewritesTheTablesOwnElementsOnly) {
  const TScopedOption option(*Options().Other->SaveSelection, GetParam().SaveSelection);
  const std::string path =
      WriteTable("ann;1\r\nbob;2\r\n", ReadWholeFile(DataFile("model/table/description.kx")));
  TTable table;
  table.Open(path, "", false);
  table.Options().NoTrim->SetValue(true);
  table.Sources().All.SetItemIndex(1);
  table.Save();

  EXPECT_EQ(ReadWholeFile(Folder.File("t.kx")), ReadWholeFile(DataFile(GetParam().Expected)));
  EXPECT_EQ(ReadWholeFile(path), "ann;1\r\nbob;2\r\n");
  EXPECT_FALSE(table.Modified());
}

INSTANTIATE_TEST_SUITE_P(
    Table, SaveDescriptionTest,
    testing::Values(TSaveDescriptionCase{true, "model/table/description_saved.kx"},
                    TSaveDescriptionCase{false,
                                         "model/table/description_saved_without_session.kx"}));

// A foreign element whose attribute name cannot be written back must not take the columns
// written after it down with it.
TEST_F(TableStorageTest, AnOddForeignAttributeLeavesTheColumnsWhole) {
  const std::string path =
      WriteTable("1;ann\r\n",
                 "<Table><Extra \"=\" /><Future version=\"2\"><Setting value=\"kept\" /></Future>"
                 "<Columns><Column><Caption value=\"No\" /><Type value=\"1\" /></Column>"
                 "<Column><Caption value=\"Name\" /></Column>"
                 "<VirtualColumn><Caption value=\"Loud\" /><Formula value=\"UpperCase(#2)\" />"
                 "</VirtualColumn></Columns></Table>");
  for (int save = 0; save < 2; ++save) {
    TTable table;
    table.Open(path, "", false);
    table.Options().NoTrim->SetValue(save == 0);
    table.Save();
  }
  TTable table;
  table.Open(path, "", false);
  EXPECT_EQ(Captions(table.Columns()), "No Name =Loud");
  EXPECT_EQ(table.Columns()[0].ColumnType(), TColumnType::Counter);
  EXPECT_EQ(table.Columns()[2].Formula->Value(), "UpperCase(#2)");
  EXPECT_EQ(Rows(table), "1|ann");
  EXPECT_NE(ReadWholeFile(Folder.File("t.kx")).find("<Setting value=\"kept\" />"),
            std::string::npos);
}

TEST_F(TableStorageTest, DefaultOptionsLeaveNoOptionsElement) {
  const TScopedOption option(*Options().Other->SaveSelection, false);
  const std::string path = WriteTable("a\r\n");
  TTable table;
  table.Open(path, "", false);
  table.Save();
  EXPECT_EQ(ReadWholeFile(Folder.File("t.kx")),
            "<Table>\r\n\t<Columns>\r\n\t\t<Column>\r\n\t\t\t<Caption value=\"Column1\" />\r\n"
            "\t\t</Column>\r\n\t</Columns>\r\n</Table>\r\n");
}

TEST_F(TableStorageTest, FailedOpenLeavesNoFileAndTheDescriptionAlone) {
  const std::string description = "<Table><Session><SelIndex value=\"3\" /></Session></Table>";
  const std::string path = WriteTable("", description);
  CopyFixture("model/protected.csv", "t.csv");
  {
    TTable table;
    EXPECT_THROW(table.Open(path, "kx2", false), EMervantaError);
    EXPECT_EQ(table.FileName(), "");
    EXPECT_FALSE(LockedByOther(path));
  }
  EXPECT_EQ(ReadWholeFile(Folder.File("t.kx")), description);
}

TEST_F(TableStorageTest, MissingDataFileFailsNamingIt) {
  TTable table;
  const std::string path = Folder.File("missing.csv");
  try {
    table.Open(path, "", false);
    FAIL() << "opened a missing file";
  } catch (const EMervantaError& error) {
    EXPECT_NE(std::string(error.what()).find(path), std::string::npos) << error.what();
  }
  EXPECT_EQ(table.FileName(), "");
}

TEST_F(TableStorageTest, ReadOnlyTableIsNeverModifiedNorSaved) {
  const std::string path = WriteTable("a;b\r\n");
  TTable table;
  table.Open(path, "", true);
  EXPECT_TRUE(table.ReadOnly());
  EXPECT_FALSE(LockedByOther(path));

  AddRecord(table, {"c", "d"});
  table.Options().NoEquals->SetValue(true);
  table.SetPassword("x");
  table.SetModified(true);
  EXPECT_FALSE(table.Modified());
  EXPECT_THROW(table.Save(), EMervantaError);
  EXPECT_EQ(ReadWholeFile(path), "a;b\r\n");
}

TEST_F(TableStorageTest, RelativeNameOpensFromTheCurrentFolder) {
  ASSERT_TRUE(std::filesystem::create_directory(Folder.File("sub")));
  Folder.Write("sub/t.csv", "a\r\n");
  std::filesystem::current_path(Folder.Path());
  TTable table;
  table.Open("sub/t.csv", "", false);
  EXPECT_EQ(table.FileName(), Folder.File("sub/t.csv"));
  EXPECT_EQ(CurrentFolder(), Folder.File("sub"));
  AddRecord(table, {"b"});
  table.Save();
  EXPECT_EQ(ReadWholeFile(Folder.File("sub/t.csv")), "a\r\nb\r\n");
}

struct TNameCase {
  const char* File;
  const char* Description;
  const char* DisplayName;
};

class TableNameTest : public TableStorageTest, public testing::WithParamInterface<TNameCase> {};

TEST_P(TableNameTest, DescriptionAndDisplayNameFollowTheDataFile) {
  ASSERT_TRUE(std::filesystem::create_directory(Folder.File("d.x")));
  const std::string path = Folder.Write(GetParam().File, "a\r\n");
  TTable table;
  table.Open(path, "", true);
  EXPECT_EQ(table.DescriptionFileName(), Folder.File(GetParam().Description));
  EXPECT_EQ(table.DisplayName(), GetParam().DisplayName);
}

INSTANTIATE_TEST_SUITE_P(Table, TableNameTest,
                         testing::Values(TNameCase{"t.csv", "t.kx", "t"},
                                         TNameCase{"t.a.txt", "t.a.kx", "t.a"},
                                         TNameCase{"t", "t.kx", "t"},
                                         TNameCase{"d.x/t", "d.x/t.kx", "t"},
                                         TNameCase{".t", ".t.kx", ".t"}));

class SaveAsTest : public TableStorageTest, public testing::WithParamInterface<bool> {};

TEST_P(SaveAsTest, LeavesTheOldFilesAndTakesTheNewOnes) {
  const bool readOnly = GetParam();
  const std::string path = WriteTable("a\r\n", "<Table><Extra value=\"1\" /></Table>");
  ASSERT_TRUE(std::filesystem::create_directory(Folder.File("new")));
  const std::string target = Folder.File("new/copy.csv");
  TTable table;
  table.Open(path, "", readOnly);
  AddRecord(table, {"b"});
  table.SaveAs(target);

  EXPECT_EQ(ReadWholeFile(path), "a\r\n");
  EXPECT_EQ(ReadWholeFile(Folder.File("t.kx")), "<Table><Extra value=\"1\" /></Table>");
  EXPECT_FALSE(LockedByOther(path));
  EXPECT_EQ(ReadWholeFile(target), "a\r\nb\r\n");
  EXPECT_NE(ReadWholeFile(Folder.File("new/copy.kx")).find("<Caption value=\"Column1\" />"),
            std::string::npos);
  EXPECT_TRUE(LockedByOther(target));
  EXPECT_EQ(table.FileName(), target);
  EXPECT_EQ(table.DisplayName(), "copy");
  EXPECT_EQ(CurrentFolder(), Folder.File("new"));
  EXPECT_FALSE(table.ReadOnly());
  EXPECT_FALSE(table.Modified());
  AddRecord(table, {"c"});
  EXPECT_TRUE(table.Modified());
}

INSTANTIATE_TEST_SUITE_P(Table, SaveAsTest, testing::Bool());

TEST_F(TableStorageTest, SaveAsOverATableHeldElsewhereFailsAndChangesNothing) {
  const std::string path = WriteTable("a\r\n");
  const std::string other = Folder.Write("other.csv", "x\r\n");
  TLockedFile holder;
  ASSERT_EQ(holder.Acquire(other), TLockedFile::TStatus::Held);
  TTable table;
  table.Open(path, "", false);
  AddRecord(table, {"b"});
  EXPECT_THROW(table.SaveAs(other), EMervantaError);
  EXPECT_EQ(ReadWholeFile(other), "x\r\n");
  EXPECT_EQ(table.FileName(), path);
  EXPECT_TRUE(table.Modified());
  EXPECT_TRUE(LockedByOther(path));
}

TEST_F(TableStorageTest, SaveAsUnderItsOwnNameSaves) {
  const std::string path = WriteTable("a\r\n");
  TTable table;
  table.Open(path, "", false);
  AddRecord(table, {"b"});
  table.SaveAs(path);
  EXPECT_EQ(ReadWholeFile(path), "a\r\nb\r\n");
  EXPECT_TRUE(LockedByOther(path));
}

TEST_F(TableStorageTest, SavingAfterTheFilesVanishedWritesThemAgain) {
  const std::string path = WriteTable("a\r\n", "<Table />");
  TTable table;
  table.Open(path, "", false);
  AddRecord(table, {"b"});
  std::filesystem::remove(path);
  std::filesystem::remove(Folder.File("t.kx"));
  table.Save();
  EXPECT_EQ(ReadWholeFile(path), "a\r\nb\r\n");
  EXPECT_TRUE(std::filesystem::exists(Folder.File("t.kx")));
  EXPECT_TRUE(LockedByOther(path));
  EXPECT_FALSE(table.Modified());
}

TEST_F(TableStorageTest, ProtectedTableSavesBackEveryByte) {
  const std::string path = CopyFixture("model/protected.csv", "t.csv");
  TTable table;
  table.Open(path, "kx1", false);
  EXPECT_EQ(Rows(table), "Smith|John|42/Ann||\x85 \"x\"");
  table.Save();
  EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(DataFile("model/protected.csv")));
}

TEST_F(TableStorageTest, ProtectedRoundTripKeepsEveryValue) {
  std::string everyByte;
  for (int c = 0; c < 256; ++c) everyByte += static_cast<char>(c);
  const TRow values{everyByte, "", " padded ", std::string(TFieldArray::kMaxFieldLength, 'x'),
                    "\"\r\n;"};
  const std::string path = WriteTable("");
  {
    TTable table;
    table.Open(path, "", false);
    AddRecord(table, values);
    AddRecord(table, {});
    table.SetPassword("pw");
    table.Save();
  }
  EXPECT_TRUE(TProtecter::IsProtected(path));
  EXPECT_TRUE(TProtecter::CheckPassword(path, "pw"));
  EXPECT_FALSE(TProtecter::CheckPassword(path, "pW"));

  TTable table;
  table.Open(path, "pw", false);
  ASSERT_EQ(table.Sources().All.Count(), 2);
  const TFieldArray& fields = table.Sources().All.Item(0).Fields();
  ASSERT_EQ(fields.Count(), 5);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(fields.Field(i), values[static_cast<std::size_t>(i)]);
  EXPECT_EQ(Captions(table.Columns()), "Column1 Column2 Column3 Column4 Column5");
}

TEST_F(TableStorageTest, EmptyPasswordSavesPlainText) {
  const std::string path = CopyFixture("model/protected.csv", "t.csv");
  TTable table;
  table.Open(path, "kx1", false);
  table.SetPassword("");
  EXPECT_TRUE(table.Modified());
  table.Save();
  EXPECT_FALSE(TProtecter::IsProtected(path));
  EXPECT_EQ(ReadWholeFile(path), "Smith;John;42\r\nAnn;;\"\x85 \"\"x\"\"\"\r\n");
}

TEST_F(TableStorageTest, ProtectedTableOfVirtualColumnsReopensAsItWas) {
  const std::string path = WriteTable("a\r\nb\r\n",
                                      "<Table><Columns><VirtualColumn><Caption "
                                      "value=\"V\" /></VirtualColumn></Columns></Table>");
  {
    TTable table;
    table.Open(path, "", false);
    ASSERT_EQ(Captions(table.Columns()), "=V Column1");
    table.Columns().Remove(table.Columns()[1]);
    table.SetPassword("pw");
    table.Save();
  }
  TTable table;
  table.Open(path, "pw", false);
  EXPECT_EQ(Captions(table.Columns()), "=V");
  EXPECT_EQ(table.Sources().All.Count(), 2);
}

struct TSessionCase {
  const char* Name;
  bool SaveSelection;
  const char* Description;  // null: none
  const char* Expected;     // null: none
};

class SessionOnCloseTest : public TableStorageTest,
                           public testing::WithParamInterface<TSessionCase> {};

// Even unsaved or read-only, the table keeps its view state on closing when asked to; a table
// that is only destroyed writes nothing.
TEST_P(SessionOnCloseTest, WritesOnlyTheViewStateWhenAsked) {
  const TSessionCase& c = GetParam();
  const TScopedOption option(*Options().Other->SaveSelection, c.SaveSelection);
  const std::string path = WriteTable("a\r\nb\r\nc\r\n", c.Description ? c.Description : "");
  for (const bool readOnly : {false, true}) {
    for (const bool asked : {false, true}) {
      SCOPED_TRACE(testing::Message() << "read-only " << readOnly << ", asked " << asked);
      if (c.Description != nullptr) Folder.Write("t.kx", c.Description);
      {
        TTable table;
        table.Open(path, "", readOnly);
        AddRecord(table, {"d"});
        table.Sources().All.SetItemIndex(2);
        table.Sources().HorzPoz->SetValue(-7);
        if (asked) table.SaveSession();
      }
      EXPECT_EQ(ReadWholeFile(path), "a\r\nb\r\nc\r\n");
      const char* expected = asked ? c.Expected : c.Description;
      if (expected == nullptr) {
        EXPECT_FALSE(std::filesystem::exists(Folder.File("t.kx")));
      } else {
        EXPECT_EQ(ReadWholeFile(Folder.File("t.kx")), expected);
      }
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, SessionOnCloseTest,
    testing::Values(TSessionCase{"Written", true, "<Other><Extra value=\"1\" /><Session /></Other>",
                                 "<Table>\r\n\t<Extra value=\"1\" />\r\n\t<Session>\r\n"
                                 "\t\t<HorzPoz value=\"-7\" />\r\n\t\t<SelIndex value=\"2\" />\r\n"
                                 "\t</Session>\r\n</Table>\r\n"},
                    TSessionCase{"NotWithoutSaveSelection", false, "<Table />", "<Table />"},
                    TSessionCase{"NoDescriptionMade", true, nullptr, nullptr}),
    [](const testing::TestParamInfo<TSessionCase>& info) { return info.param.Name; });

// The description of a table another program holds is that program's to write.
TEST_F(TableStorageTest, TheViewStateOfATableHeldElsewhereIsNotWritten) {
  const std::string path = WriteTable("a\r\nb\r\n", "<Table />");
  TLockedFile holder;
  ASSERT_EQ(holder.Acquire(path), TLockedFile::TStatus::Held);
  TTable table;
  table.Open(path, "", false);
  ASSERT_TRUE(table.ReadOnly());
  table.Sources().All.SetItemIndex(1);
  table.SaveSession();
  EXPECT_EQ(ReadWholeFile(Folder.File("t.kx")), "<Table />");
}

}  // namespace
}  // namespace mervanta::test
