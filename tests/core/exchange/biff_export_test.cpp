#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "export_fixture.h"
#include "support/errors.h"

namespace mervanta::test {
namespace {

// A cell as the file holds it: a number, or the text of a text cell.
struct TCell {
  int Row = 0;
  int Column = 0;
  bool IsNumber = false;
  double Number = 0;
  std::string Text;
};

std::uint16_t Word(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                    static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Walks the records, checking that each length fits the bytes and that the file is one
// beginning, cells and one end.
std::vector<TCell> ReadCells(const std::string& bytes) {
  std::vector<TCell> cells;
  std::size_t at = 0;
  std::vector<std::uint16_t> types;
  while (at + 4 <= bytes.size()) {
    const std::uint16_t type = Word(bytes, at);
    const std::uint16_t length = Word(bytes, at + 2);
    at += 4;
    EXPECT_LE(at + length, bytes.size());
    types.push_back(type);
    if (type == 0x0203 || type == 0x0204) {
      TCell cell;
      cell.Row = Word(bytes, at);
      cell.Column = Word(bytes, at + 2);
      EXPECT_EQ(Word(bytes, at + 4), 0);
      if (type == 0x0203) {
        EXPECT_EQ(length, 14);
        cell.IsNumber = true;
        std::memcpy(&cell.Number, bytes.data() + at + 6, 8);
      } else {
        EXPECT_EQ(length, 8 + Word(bytes, at + 6));
        cell.Text = bytes.substr(at + 8, Word(bytes, at + 6));
      }
      cells.push_back(cell);
    }
    at += length;
  }
  EXPECT_EQ(at, bytes.size());
  EXPECT_FALSE(types.empty());
  EXPECT_EQ(types.front(), 0x0809);
  EXPECT_EQ(types.back(), 0x000A);
  return cells;
}

struct TNumberCase {
  const char* Value;
  bool IsNumber;
  double Number;
};

TEST(BiffExportTest, TextsThatReadAsNumbersBecomeNumberCells) {
  const TNumberCase cases[] = {
      {"1,5", true, 1.5},
      {"1.5", true, 1.5},
      {"+7", true, 7},
      {"-2e3", true, -2000},
      {"1.234,5", false, 0},
      {"12.05.2020", false, 0},
      {"1 000", false, 0},
      {"12a", false, 0},
      {"", false, 0},
      {"123456789012345678901234", true, 123456789012345678901234.0},
      {"1234567890123456789012345", false, 0},
      {"1e400", false, 0},  // beyond what the cell's double holds
  };
  const TScopedSetting header(*Options().Export->ShowHeadOffice, false);
  for (const TNumberCase& test : cases) {
    SCOPED_TRACE(test.Value);
    TExportedTable table({"A"}, {{test.Value}});
    const std::vector<TCell> cells = ReadCells(table.Export(TExportFormat::Excel));
    ASSERT_EQ(cells.size(), 1u);
    EXPECT_EQ(cells[0].Row, 0);
    EXPECT_EQ(cells[0].IsNumber, test.IsNumber);
    if (test.IsNumber) {
      EXPECT_EQ(cells[0].Number, test.Number);
    } else {
      EXPECT_EQ(cells[0].Text, test.Value);
    }
  }
}

TEST(BiffExportTest, HeaderTakesTheFirstRow) {
  TExportedTable table({"A", "B"}, {{"x", "2"}, {"y", "3"}});
  const std::vector<TCell> cells = ReadCells(table.Export(TExportFormat::Excel));
  ASSERT_EQ(cells.size(), 6u);
  EXPECT_EQ(cells[1].Text, "B");
  EXPECT_EQ(cells[5].Row, 2);
  EXPECT_EQ(cells[5].Column, 1);
  EXPECT_EQ(cells[5].Number, 3);
}

TEST(BiffExportTest, TextTooLongForARecordIsCutToWhatFits) {
  const std::string longest(65535, 'x');
  TExportedTable table({"A"}, {{longest}});
  const std::vector<TCell> cells = ReadCells(table.Export(TExportFormat::Excel));
  ASSERT_EQ(cells.size(), 2u);
  EXPECT_EQ(cells[1].Text, longest.substr(0, 65527));
}

TEST(BiffExportTest, MoreRecordsThanRowsIsRefusedAndTheOldFileStays) {
  TExportedTable table({"A"}, {});
  for (int i = 0; i < 65535; ++i) table.Table.All.Add(table.Table.Make({"r"}));
  const std::string old = table.Folder.Write("table.xls", "old");
  EXPECT_EQ(ReadCells(table.Export(TExportFormat::Excel)).size(),
            65536u);  // the header fills row 0

  table.Folder.Write("table.xls", "old");
  table.Table.All.Add(table.Table.Make({"r"}));
  EXPECT_THROW(table.Export(TExportFormat::Excel), EMervantaError);
  EXPECT_EQ(ReadWholeFile(old), "old");
  const TScopedSetting header(*Options().Export->ShowHeadOffice, false);
  EXPECT_EQ(ReadCells(table.Export(TExportFormat::Excel)).size(), 65536u);
}

}  // namespace
}  // namespace mervanta::test
