#include "report/table_info.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <ctime>
#include <filesystem>
#include <functional>
#include <ostream>
#include <string>

#include "core/table/table_fixture.h"
#include "support/errors.h"
#include "support/progress.h"
#include "table/table.h"
#include "test_support/child_process.h"
#include "test_support/pinned_locale.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_progress.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

// Sets the file's modification time to a local date and time.
void SetModificationTime(const std::string& path, int year, int month, int day, int hour,
                         int minute, int second) {
  std::tm local{};
  local.tm_year = year - 1900;
  local.tm_mon = month - 1;
  local.tm_mday = day;
  local.tm_hour = hour;
  local.tm_min = minute;
  local.tm_sec = second;
  local.tm_isdst = -1;
  const timespec times[2] = {{std::mktime(&local), 0}, {std::mktime(&local), 0}};
  ASSERT_EQ(::utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
}

TEST(TableInfoSummary, OfANewTableHasNoFile) {
  TTable table;
  table.New();
  TStringList lines;
  TTableInfo::Summary(table.Facts(), lines);
  EXPECT_EQ(lines, (TStringList{"Table: (Untitled)", "", "File: (file is not saved)",
                                "File size: (unknown)", "Last file update: (unknown)",
                                "Total records number: 0", "Password: No", "Status: Modified"}));
}

struct TSummaryCase {
  const char* Name;
  std::function<void(TTable&, const std::string& path)> Open;
  const char* Size;
  const char* Update;
  const char* Password;
  const char* Status;
};

void PrintTo(const TSummaryCase& each, std::ostream* out) {
  *out << each.Name;
}

class TableInfoSummaryTest : public testing::TestWithParam<TSummaryCase> {};

// A data file of 1 234 one-field records, 3 702 bytes.
TEST_P(TableInfoSummaryTest, DescribesTheFileAndTheState) {
  TTableFolder folder;
  std::string text;
  for (int i = 0; i < 1234; ++i) text += "x\r\n";
  const std::string path = folder.Write("people.txt", text);
  SetModificationTime(path, 2021, 3, 4, 5, 6, 7);
  TTable table;
  GetParam().Open(table, path);
  TStringList lines{"kept"};
  TTableInfo::Summary(table.Facts(), lines);
  EXPECT_EQ(lines, (TStringList{"kept", "Table: people", "", "File: " + path,
                                std::string("File size: ") + GetParam().Size,
                                std::string("Last file update: ") + GetParam().Update,
                                "Total records number: 1 234",
                                std::string("Password: ") + GetParam().Password,
                                std::string("Status: ") + GetParam().Status}));
}

INSTANTIATE_TEST_SUITE_P(
    TableInfo, TableInfoSummaryTest,
    testing::Values(TSummaryCase{"Editing",
                                 [](TTable& table, const std::string& path) {
                                   table.Open(path, "", false);
                                 },
                                 "3.62 Kb", "04.03.2021 05:06:07", "No", "Editing"},
                    TSummaryCase{"ReadOnly",
                                 [](TTable& table, const std::string& path) {
                                   table.Open(path, "", true);
                                   table.SetPassword("secret");
                                 },
                                 "3.62 Kb", "04.03.2021 05:06:07", "Yes", "Read-only"},
                    TSummaryCase{"ModifiedWithPassword",
                                 [](TTable& table, const std::string& path) {
                                   table.Open(path, "", false);
                                   table.SetPassword("secret");
                                 },
                                 "3.62 Kb", "04.03.2021 05:06:07", "Yes", "Modified"},
                    TSummaryCase{"FileGone",
                                 [](TTable& table, const std::string& path) {
                                   table.Open(path, "", false);
                                   std::filesystem::remove(path);
                                 },
                                 "???", "(unknown)", "No", "Editing"}),
    [](const auto& info) { return info.param.Name; });

// Columns whose cells show every kind of statistics, and a virtual copy of the first.
class TableInfoStatisticsTest : public testing::Test {
 protected:
  TableInfoStatisticsTest() {
    for (const char* caption : {"Num", "Empty", "Signs", "Dates", "Text"}) {
      AddColumn(Table, caption);
    }
    AddColumn(Table, "V", TColumnStorage::Virtual).Formula->SetValue("#1");
    AddRecord(Table, {"1", "", "+", "01.02.2020", "a"});
    AddRecord(Table, {"2,5", "", "-", "15.01.2021", "b"});
    AddRecord(Table, {"abc", "", "-5", "x", "c"});
    Table.Sources().Chosen.Add(Table.Sources().All.Item(1));
  }

  TStringList Statistics() const {
    TStringList lines;
    TTableInfo::ColumnStatistics(Table.Sources(), lines);
    return lines;
  }

  TTable Table;
};

TEST_F(TableInfoStatisticsTest, ReportsEachListWithRecords) {
  EXPECT_EQ(Statistics(),
            (TStringList{
                "All: 3",
                "",
                "Num (min: 1; max: 2.5; Sum total: 3.5; average: 1.75)",
                "Empty (empty: 3)",
                "Signs (min: -5; max: -5; Sum total: -5; average: -5; plus: 1; minus: 1)",
                "Dates (min date: 01.02.2020; max date: 15.01.2021)",
                "Text (no calculations)",
                "V (min: 1; max: 2.5; Sum total: 3.5; average: 1.75)",
                "",
                "Chosen: 1",
                "",
                "Num (min: 2.5; max: 2.5; Sum total: 2.5; average: 2.5)",
                "Empty (empty: 1)",
                "Signs (minus: 1)",
                "Dates (min date: 15.01.2021; max date: 15.01.2021)",
                "Text (no calculations)",
                "V (min: 2.5; max: 2.5; Sum total: 2.5; average: 2.5)",
                "",
            }));
}

TEST_F(TableInfoStatisticsTest, NumbersUseTheLocaleDecimalSeparatorAndDatesItsFormat) {
  TLocaleSettings settings = PinnedLocaleSettings();
  settings.DecimalSeparator = ',';
  settings.ShortDateFormat = "yyyy-MM-dd";
  TScopedLocale locale(settings);
  Table.Sources().All.Item(0).Fields().SetField(3, "2020-02-01");
  Table.Sources().All.Item(1).Fields().SetField(3, "2021-01-15");
  const TStringList lines = Statistics();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[2], "Num (min: 1; max: 2,5; Sum total: 3,5; average: 1,75)");
  EXPECT_EQ(lines[5], "Dates (min date: 2020-02-01; max date: 2021-01-15)");
}

TEST_F(TableInfoStatisticsTest, ATableWithoutRecordsGivesNoLines) {
  Table.Sources().Chosen.Clear();
  Table.Sources().All.FreeAll();
  EXPECT_TRUE(Statistics().empty());
}

TEST(TableInfoLargeStatistics, GroupsCountsAndStepsOncePerCell) {
  TTable table;
  AddColumn(table, "A");
  AddColumn(table, "B");
  for (int i = 0; i < 1234; ++i) AddRecord(table, {"", "+"});
  for (int i = 0; i < 1000; ++i) table.Sources().Chosen.Add(table.Sources().All.Item(i));
  TRecordingUserInterface ui;
  static std::uint32_t now = 0;
  const TScopedProgress progress([] { return now += 1000; });
  TStringList lines;
  TTableInfo::ColumnStatistics(table.Sources(), lines);
  EXPECT_EQ(lines, (TStringList{"All: 1 234", "", "A (empty: 1 234)", "B (plus: 1 234)", "",
                                "Chosen: 1 000", "", "A (empty: 1 000)", "B (plus: 1 000)", ""}));
  // 2 x 1 234 + 2 x 1 000 cells; the window shows after the first 20.
  ASSERT_GE(ui.Events.size(), 4u);
  EXPECT_EQ(ui.Events[1], "show 4448");
  EXPECT_EQ(ui.Events.end()[-3], "position 4448");
}

struct TDescriptionCase {
  const char* Name;
  // Makes the table's files in the folder and opens the table, or leaves it untitled.
  std::function<void(TTable&, const TTableFolder&)> Make;
  TStringList Expected;
};

void PrintTo(const TDescriptionCase& each, std::ostream* out) {
  *out << each.Name;
}

class TableInfoDescriptionTest : public testing::TestWithParam<TDescriptionCase> {};

TEST_P(TableInfoDescriptionTest, AppendsTheDescriptionFileWhenThereIsOne) {
  TTableFolder folder;
  TTable table;
  GetParam().Make(table, folder);
  TStringList lines{"kept"};
  TTableInfo::DescriptionText(table.Facts(), lines);
  EXPECT_EQ(lines, GetParam().Expected);
}

INSTANTIATE_TEST_SUITE_P(
    TableInfo, TableInfoDescriptionTest,
    testing::Values(TDescriptionCase{"Untitled", [](TTable&, const TTableFolder&) {}, {"kept"}},
                    TDescriptionCase{"NoDescriptionFile",
                                     [](TTable& table, const TTableFolder& folder) {
                                       table.Open(folder.Write("t.txt", "a\r\n"), "", false);
                                     },
                                     {"kept"}},
                    TDescriptionCase{"DescriptionIsAFolder",
                                     [](TTable& table, const TTableFolder& folder) {
                                       std::filesystem::create_directory(folder.File("t.kx"));
                                       table.Open(folder.Write("t.txt", "a\r\n"), "", false);
                                     },
                                     {"kept"}},
                    TDescriptionCase{"GarbageIsShownAsItIs",
                                     [](TTable& table, const TTableFolder& folder) {
                                       folder.Write("t.kx", "<Table>\r\n\xFF\0x\n\nend"s);
                                       table.Open(folder.Write("t.txt", "a\r\n"), "", false);
                                     },
                                     {"kept", "<Table>", std::string("\xFF\0x", 3), "", "end"}}),
    [](const auto& info) { return info.param.Name; });

TEST(TableInfoDescription, AnUnreadableDescriptionIsAnError) {
  TTableFolder folder;
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
  TTable table;
  const std::string description = folder.Write("t.kx", "<Table/>");
  table.Open(folder.Write("t.txt", "a\r\n"), "", false);
  ASSERT_EQ(::chmod(description.c_str(), 0), 0);
  EXPECT_EQ(RunAsNobody([&table] {
              TStringList lines;
              try {
                TTableInfo::DescriptionText(table.Facts(), lines);
              } catch (const EMervantaError&) {
                return lines.empty() ? 0 : 2;
              }
              return 1;
            }),
            0);
}

}  // namespace
}  // namespace mervanta::test
