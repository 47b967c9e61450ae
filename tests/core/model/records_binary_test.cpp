#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/byte_reader.h"
#include "model/records.h"
#include "records_fixture.h"
#include "support/errors.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

constexpr const char* kNewer =
    "Unable to load password-protected file created with newer program version";

// A binary header followed by records given as their size and bytes.
std::string Binary(int version, std::int32_t fieldCount, std::int32_t count,
                   const std::vector<std::string>& records = {}) {
  std::string bytes;
  AppendUInt16(bytes, static_cast<std::uint16_t>(version));
  AppendInt32(bytes, fieldCount);
  AppendInt32(bytes, count);
  for (const std::string& record : records) {
    AppendInt32(bytes, static_cast<std::int32_t>(record.size()));
    bytes += record;
  }
  return bytes;
}

struct TBinaryCase {
  const char* Name;
  std::string Bytes;
  int FieldCount;      // when it loads
  std::string Result;  // the rows, or the failure's message
};

class LoadBinaryTest : public testing::TestWithParam<TBinaryCase> {};

TEST_P(LoadBinaryTest, ReadsTheRecordsOrNothing) {
  const TBinaryCase& c = GetParam();
  TRecordsFixture table;
  table.All.Add(table.Make({"kept"}));
  try {
    EXPECT_EQ(table.All.LoadBinary(c.Bytes), c.FieldCount);
    EXPECT_EQ(TRecordsFixture::Rows(table.All), "kept/" + c.Result);
  } catch (const EMervantaError& error) {
    EXPECT_EQ(error.what(), c.Result);
    EXPECT_EQ(TRecordsFixture::Rows(table.All), "kept");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, LoadBinaryTest,
    testing::Values(
        TBinaryCase{"Current", Binary(101, 2, 2, {"\1\0a\2\0bc"s, "\0\0\0\0"s}), 2, "a|bc/|"},
        TBinaryCase{"Legacy", Binary(100, 2, 2, {"a\1b"s, "c\1"s}), 2, "a|b/c"},
        TBinaryCase{"BytesAfterTheLastRecord", Binary(101, 1, 1, {"\1\0a"s}) + "junk", 0,
                    "Stream read error"},
        TBinaryCase{"CountBelowTheRecords", Binary(101, 1, 1, {"\1\0a"s, "\1\0b"s}), 0,
                    "Stream read error"},
        TBinaryCase{"LegacyCountBelowTheRecords", Binary(100, 1, 0, {"a"s}), 0,
                    "Stream read error"},
        TBinaryCase{"NoFields", Binary(101, 0, 2, {"", ""}), 0, "/"},
        TBinaryCase{"Newer", Binary(102, 2, 0), 0, kNewer},
        TBinaryCase{"NewestOfTheFormat", Binary(199, 2, 0), 0, kNewer},
        TBinaryCase{"BeyondTheFormat", Binary(200, 2, 0), 0, "Stream read error"},
        TBinaryCase{"BeforeTheFormat", Binary(99, 2, 0), 0, "Stream read error"},
        TBinaryCase{"TooManyFields", Binary(101, 257, 0), 0, "Stream read error"},
        TBinaryCase{"NegativeFields", Binary(101, -1, 0), 0, "Stream read error"},
        TBinaryCase{"NegativeCount", Binary(101, 1, -1), 0, "Stream read error"},
        TBinaryCase{"CountAboveTheLimit", Binary(101, 1, 536870912), 0, "Stream read error"},
        TBinaryCase{"CountBeyondTheBytes", Binary(101, 1, 500000000, {"\1\0a"s}), 0,
                    "Stream read error"},
        TBinaryCase{"FieldsNotFillingTheBlock", Binary(101, 2, 1, {"\1\0a"s}), 0,
                    "Stream read error"},
        TBinaryCase{"Truncated", Binary(101, 1, 1).append("\5\0\0\0ab"s), 0, "Stream read error"},
        TBinaryCase{"ShortHeader", "\x65\0\1\0"s, 0, "Stream read error"}),
    [](const testing::TestParamInfo<TBinaryCase>& info) { return info.param.Name; });

TEST(RecordsBinary, SavesVersion101WithEveryFieldAndReadsItBack) {
  TRecordsFixture table(2);
  table.All.Add(table.Make({"a", "bc"}));
  table.All.Add(table.Make({"d"}));
  std::string bytes;
  table.All.SaveBinary(bytes);
  EXPECT_EQ(bytes, Binary(101, 2, 2, {"\1\0a\2\0bc"s, "\1\0d\0\0"s}));

  // A record with more fields than there are stored columns widens the header.
  table.All.Add(table.Make({"e", "f", "g"}));
  bytes.clear();
  table.All.SaveBinary(bytes);
  TRecordsFixture again;
  EXPECT_EQ(again.All.LoadBinary(bytes), 3);
  EXPECT_EQ(TRecordsFixture::Rows(again.All), "a|bc|/d||/e|f|g");
}

TEST(RecordsBinary, ATableOfComputedColumnsOnlyReadsBack) {
  TRecordsFixture table(0);
  table.AddColumn("V", TColumnStorage::Virtual);
  table.All.Add(table.All.NewRecord(0));
  std::string bytes;
  table.All.SaveBinary(bytes);
  TRecordsFixture again(0);
  EXPECT_EQ(again.All.LoadBinary(bytes), 0);
  EXPECT_EQ(again.All.Count(), 1);
}

}  // namespace
}  // namespace mervanta::test
