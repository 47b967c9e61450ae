// Data files that are damaged or do not fit in memory: what opens is read-only and says why,
// what cannot open fails with its reason, and no file is ever written.
#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

#include "support/errors.h"
#include "support/file_io.h"
#include "table/table.h"
#include "table_fixture.h"
#include "test_support/short_of_memory.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

std::string Protected() {
  return ReadWholeFile(DataFile("model/protected.csv"));
}

// The protected fixture with one bit of byte `at` flipped.
std::string FlippedBit(std::size_t at, int bit) {
  std::string bytes = Protected();
  bytes[at] = static_cast<char>(bytes[at] ^ (1 << bit));
  return bytes;
}

struct TDamageCase {
  const char* Name;
  std::string Bytes;
  std::string Rows;
  TDataDamage Damage;
  std::optional<std::uint64_t> TextEnd;
  const char* Notice;
};

TEST(TableDamage, ADamagedDataFileOpensReadOnlyAndIsNeverWritten) {
  const TDamageCase cases[] = {
      {"trailing zero bytes", "a;b\r\nc;d\r\n\0\0\0\0"s, "a|b/c|d", TDataDamage::ZeroByte, 10,
       "The text of the data file ends at a zero byte at offset 10; saving would lose the "
       "rest of the file."},
      {"a tail of zeros", "a;b\r\nc;d"s + std::string(8192, '\0'), "a|b/c|d", TDataDamage::ZeroByte,
       8, "offset 8;"},
      {"a zero byte amid the lines", "a;b\r\nc\0d;e\r\nf;g\r\n"s, "a|b/c|", TDataDamage::ZeroByte,
       6, "offset 6;"},
      {"a flipped bit in the signature", FlippedBit(0, 0), "", TDataDamage::LooksProtected,
       std::nullopt,
       "The data file starts like a password-protected file whose signature is damaged; "
       "saving would store it as plain text."},
      {"a protected file read as text", Protected(), "", TDataDamage::LooksProtected, std::nullopt,
       "password-protected"},
      {"plain text", "a;b\r\n"s, "a|b", TDataDamage::None, std::nullopt, ""},
  };
  for (const TDamageCase& c : cases) {
    SCOPED_TRACE(c.Name);
    TTableFolder folder;
    const std::string path = folder.Write("t.csv", c.Bytes);
    TTable table;
    table.Open(path, "", false);
    if (!c.Rows.empty()) {
      EXPECT_EQ(Rows(table), c.Rows);
    }
    EXPECT_EQ(table.DataDamage(), c.Damage);
    EXPECT_EQ(table.TextEnd(), c.TextEnd);
    const std::string notice = table.DataDamageNotice();
    EXPECT_EQ(notice.empty(), *c.Notice == '\0');
    EXPECT_NE(notice.find(c.Notice), std::string::npos) << notice;
    const bool damaged = c.Damage != TDataDamage::None;
    EXPECT_EQ(table.ReadOnly(), damaged);

    AddRecord(table, {"new"});
    EXPECT_EQ(table.Modified(), !damaged);
    if (damaged) {
      EXPECT_THROW(table.Save(), EMervantaError);
      EXPECT_EQ(ReadWholeFile(path), c.Bytes);
    }
  }
}

TEST(TableDamage, SavingUnderAnotherNameLeavesTheDamageBehind) {
  TTableFolder folder;
  const std::string damaged = "a;b\r\n\0rest"s;
  const std::string path = folder.Write("t.csv", damaged);
  TTable table;
  table.Open(path, "", false);
  table.SaveAs(folder.File("copy.csv"));
  EXPECT_EQ(ReadWholeFile(folder.File("copy.csv")), "a;b\r\n");
  EXPECT_EQ(ReadWholeFile(path), damaged);
  EXPECT_FALSE(table.ReadOnly());
  EXPECT_EQ(table.DataDamage(), TDataDamage::None);
  EXPECT_EQ(table.TextEnd(), std::nullopt);
  EXPECT_EQ(table.DataDamageNotice(), "");
}

TEST(TableDamage, AProtectedFileWhoseRecordCountChangedDoesNotOpen) {
  // The body starts with the format version, the field count and then the record count.
  constexpr std::size_t kRecordCount = 28 + 2 + 4;
  for (int bit = 0; bit < 8; ++bit) {
    SCOPED_TRACE(bit);
    TTableFolder folder;
    const std::string bytes = FlippedBit(kRecordCount, bit);
    const std::string path = folder.Write("t.csv", bytes);
    TTable table;
    try {
      table.Open(path, "kx1", false);
      ADD_FAILURE() << "opened with " << table.Sources().All.Count() << " records";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), "Stream read error");
    }
    EXPECT_EQ(table.FileName(), "");
    EXPECT_EQ(ReadWholeFile(path), bytes);
  }
}

TEST(TableDamage, RunningOutOfMemoryNamesTheFile) {
  for (const char* password : {"", "kx1"}) {
    SCOPED_TRACE(password);
    TTableFolder folder;
    const std::string path = folder.Write("t.csv", *password ? Protected() : "a;b\r\n"s);
    TTable table;
    try {
      TShortOfMemory shortOfMemory;
      table.Open(path, password, false);
      ADD_FAILURE() << "opened";
    } catch (const EMervantaError& error) {
      const std::string message = error.what();
      EXPECT_TRUE(message.starts_with("Not enough memory to open \"" + path + "\" (")) << message;
      EXPECT_TRUE(message.ends_with(" MB needed)")) << message;
    }
    EXPECT_EQ(table.FileName(), "");
  }
}

}  // namespace
}  // namespace mervanta::test
