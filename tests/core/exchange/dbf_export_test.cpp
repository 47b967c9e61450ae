#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "export_fixture.h"

namespace mervanta::test {
namespace {

int Byte(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}
int Word(const std::string& bytes, std::size_t at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

struct TField {
  std::string Name;
  int Width = 0;
};

// The field descriptors, after checking that the header's lengths describe the file.
std::vector<TField> ReadFields(const std::string& bytes) {
  const int headerLength = Word(bytes, 8);
  const int recordLength = Word(bytes, 10);
  const int count = Word(bytes, 4);
  EXPECT_EQ(bytes.size(), static_cast<std::size_t>(headerLength + count * recordLength + 1));
  std::vector<TField> fields;
  int width = 1;
  for (int at = 32; at + 1 < headerLength; at += 32) {
    std::string name = bytes.substr(static_cast<std::size_t>(at), 11);
    name.resize(name.find('\0') == std::string::npos ? 11 : name.find('\0'));
    EXPECT_EQ(bytes[static_cast<std::size_t>(at) + 11], 'C');
    fields.push_back({name, Byte(bytes, static_cast<std::size_t>(at) + 16)});
    width += fields.back().Width;
  }
  EXPECT_EQ(bytes[static_cast<std::size_t>(headerLength) - 1], '\x0D');
  EXPECT_EQ(width, recordLength);
  EXPECT_EQ(bytes.back(), '\x1A');
  return fields;
}

TEST(DbfExportTest, FieldsAreAsWideAsTheLongestValueUpTo254) {
  TExportedTable table({"Empty", "Short", "Long"},
                       {{"", "ab", std::string(300, 'x')}, {"", "abcd", "y"}});
  const std::string bytes = table.Export(TExportFormat::Dbf);
  const std::vector<TField> fields = ReadFields(bytes);
  ASSERT_EQ(fields.size(), 3u);
  EXPECT_EQ(fields[0].Width, 0);
  EXPECT_EQ(fields[1].Width, 4);
  EXPECT_EQ(fields[2].Width, 254);
  const std::size_t data = static_cast<std::size_t>(Word(bytes, 8));
  EXPECT_EQ(bytes.substr(data, 1 + 4 + 254), " ab  " + std::string(254, 'x'));
  EXPECT_EQ(bytes.substr(data + 259, 259), " abcdy" + std::string(253, ' '));
}

TEST(DbfExportTest, FieldNamesAreCaptionsMadeValidAndDistinct) {
  TExportedTable table(
      {"E-mail", "Description of item", "Description of cost", "name", "NAME", "", "Caf\xE9"}, {});
  const std::vector<TField> fields = ReadFields(table.Export(TExportFormat::Dbf));
  std::vector<std::string> names;
  for (const TField& field : fields) names.push_back(field.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"E_mail", "Description", "Descriptio1", "name",
                                             "NAME1", "FIELD", "Caf_"}));
}

struct TDateCase {
  int Year;
  int Stored;
};

TEST(DbfExportTest, HeaderHoldsTheDateWithTheCenturiesAbove100Dropped) {
  const TDateCase cases[] = {{2026, 26}, {2000, 100}, {1999, 99}, {2100, 100}, {2101, 1}};
  for (const TDateCase& test : cases) {
    SCOPED_TRACE(test.Year);
    TExportedTable table({"A"}, {{"a"}, {"b"}});
    ASSERT_TRUE(TryEncodeDate(test.Year, 12, 31, table.Date));
    const std::string bytes = table.Export(TExportFormat::Dbf);
    EXPECT_EQ(Byte(bytes, 0), 3);
    EXPECT_EQ(Byte(bytes, 1), test.Stored);
    EXPECT_EQ(Byte(bytes, 2), 12);
    EXPECT_EQ(Byte(bytes, 3), 31);
    EXPECT_EQ(Word(bytes, 4), 2);
    EXPECT_EQ(Byte(bytes, 29), 0x57);
  }
}

}  // namespace
}  // namespace mervanta::test
