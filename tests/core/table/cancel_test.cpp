// A long loop that the user cancels stops with "Operation aborted" and leaves what it was
// changing as it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "exchange/import.h"
#include "exchange/records_exporter.h"
#include "operations/operation.h"
#include "report/table_info.h"
#include "search/search_equals.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/string_list.h"
#include "table_fixture.h"
#include "test_support/recording_user_interface.h"

namespace mervanta::test {
namespace {

constexpr int kRecords = 60;

std::string Lines(int from, int count) {
  std::string text;
  for (int i = from; i < from + count; ++i) {
    text += "a" + std::to_string(i) + ";" + std::to_string(i % 7) + "\r\n";
  }
  return text;
}

// A saved table of columns A and B and kRecords records "a<i>|<i mod 7>", open for writing.
class CancelTest : public testing::Test {
 protected:
  CancelTest() {
    {
      TTable made;
      AddColumn(made, "A");
      AddColumn(made, "B");
      made.SaveAs(Path());
    }
    Folder.Write("t.csv", Lines(0, kRecords));
    Table.Open(Path(), "", false);
  }

  std::string Path() const { return Folder.File("t.csv"); }
  // Both files, and the names of everything in the folder.
  std::string Files() const {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(Folder.Path())) {
      names.push_back(entry.path().filename().string());
    }
    std::ranges::sort(names);
    std::string files = ReadWholeFile(Path()) + ReadWholeFile(Folder.File("t.kx"));
    for (const std::string& name : names) files += "|" + name;
    return files;
  }
  void CancelAfter(int questions) {
    Ui.CancelQuestions = 0;
    Ui.CancelAfter = questions;
  }

  TTableFolder Folder;
  TTable Table;
  TRecordingUserInterface Ui;
};

TEST_F(CancelTest, ALoadLeavesTheTableWithoutItsFile) {
  for (const std::string password : {"", "pw"}) {
    SCOPED_TRACE(password);
    if (!password.empty()) {
      Table.SetPassword(password);
      Table.Save();
    }
    const std::string before = Files();
    TTable table;
    CancelAfter(0);
    EXPECT_THROW(table.Open(Path(), password, true), EOperationAborted);
    EXPECT_TRUE(table.FileName().empty());
    EXPECT_EQ(Files(), before);
    CancelAfter(-1);
  }
}

TEST_F(CancelTest, ASaveLeavesBothFilesAndTheTableModified) {
  Table.Sources().All.Item(0).SetValue(Table.Columns()[0], "changed");
  for (const std::string password : {"", "pw"}) {
    SCOPED_TRACE(password);
    Table.SetPassword(password);
    const std::string before = Files();
    CancelAfter(kRecords / 2);
    EXPECT_THROW(Table.Save(), EOperationAborted);
    EXPECT_EQ(Files(), before);
    EXPECT_TRUE(Table.Modified());
  }
}

TEST_F(CancelTest, AnExportLeavesNoFile) {
  for (const TExportFormat format :
       {TExportFormat::Csv, TExportFormat::Txt, TExportFormat::Html, TExportFormat::Excel,
        TExportFormat::Ini, TExportFormat::Xml, TExportFormat::Dbf}) {
    SCOPED_TRACE(static_cast<int>(format));
    const std::string target = Folder.File("out");
    CancelAfter(kRecords / 2);
    TRecordsExporter exporter(Table.Sources().All, Folder.Path());
    EXPECT_THROW(exporter.Export(format, target, {.Title = "t"}), EOperationAborted);
    EXPECT_FALSE(std::filesystem::exists(target));
  }
}

TEST_F(CancelTest, AnImportOfSeveralFilesAddsNone) {
  const std::vector<std::string> files{Folder.Write("one.csv", Lines(100, 5)),
                                       Folder.Write("two.csv", Lines(200, kRecords))};
  // The questions the first file takes, then a cancel in the middle of the second.
  {
    TTable counting;
    AddColumn(counting, "A");
    AddColumn(counting, "B");
    CancelAfter(1 << 30);
    ImportRecords(counting.Sources(), counting.Options(), std::span(files).first(1));
  }
  const int firstFile = Ui.CancelQuestions;
  const std::string before = Rows(Table);
  Table.Sources().All.SetItemIndex(3);
  for (const bool insertFirst : {false, true}) {
    SCOPED_TRACE(insertFirst);
    Table.Options().InsertFirst->SetValue(insertFirst);
    CancelAfter(firstFile + kRecords / 2);
    EXPECT_THROW(ImportRecords(Table.Sources(), Table.Options(), files), EOperationAborted);
    EXPECT_EQ(Rows(Table), before);
    EXPECT_EQ(Table.Sources().All.ItemIndex(), 3);
  }
}

TEST_F(CancelTest, ATaskPutsBackTheCellsItChanged) {
  Table.SetModified(false);
  const std::string before = Rows(Table);
  TOperation task;
  task.Records = &Table.Sources().All;
  task.Columns = {&Table.Columns()[0], &Table.Columns()[1]};
  task.Data.Text = "new";
  CancelAfter(kRecords / 2);
  EXPECT_THROW(task.Execute(), EOperationAborted);
  EXPECT_EQ(Rows(Table), before);
  EXPECT_FALSE(Table.Modified());
}

TEST_F(CancelTest, ARepeatingRecordsSearchLeavesResultsAndHistory) {
  const TScopedOption history(*Options().Search->StoreHistory, true);
  TSearchManager& manager = Table.SearchManager();
  auto first = std::make_unique<TSearchEquals>(Table.Sources().All);
  first->AddColumn(Table.Columns()[1]);
  manager.Run(std::move(first));
  const std::string found = TRecordsFixture::Rows(Table.Sources().SearchResults);
  ASSERT_FALSE(found.empty());
  const TSearch* current = manager.CurrentSearch();

  auto second = std::make_unique<TSearchEquals>(Table.Sources().All);
  second->AddColumn(Table.Columns()[0]);
  CancelAfter(0);
  EXPECT_THROW(manager.Run(std::move(second)), EOperationAborted);
  EXPECT_EQ(TRecordsFixture::Rows(Table.Sources().SearchResults), found);
  EXPECT_FALSE(manager.CanGoBack());
  EXPECT_EQ(manager.CurrentSearch(), current);
}

TEST_F(CancelTest, StatisticsStop) {
  TStringList lines;
  CancelAfter(kRecords / 2);
  EXPECT_THROW(TTableInfo::ColumnStatistics(Table.Sources(), lines), EOperationAborted);
}

}  // namespace
}  // namespace mervanta::test
