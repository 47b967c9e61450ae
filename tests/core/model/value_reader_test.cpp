#include "model/value_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records_fixture.h"

namespace mervanta::test {
namespace {

// Stored columns A, B, C and a computed V that joins A and C.
class ValueReader : public testing::Test {
 protected:
  ValueReader() : Table(3) {
    Table.AddColumn("V", TColumnStorage::Virtual).Formula->SetValue("#1+#3");
  }

  // The cells of the columns named by the letters, joined by "|".
  std::string Read(std::string_view names, const TRecord& record) {
    std::vector<TColumn*> columns;
    for (const char name : names) columns.push_back(&Table.Column(std::string(1, name)));
    TValueReader values(columns);
    std::string cells;
    std::size_t expected = 0;
    const bool walked = values.ForEachValue(record, [&](std::size_t i, std::string_view value) {
      EXPECT_EQ(i, expected++);
      if (i > 0) cells += '|';
      cells += value;
    });
    EXPECT_TRUE(walked);
    EXPECT_EQ(expected, values.Count());
    return cells;
  }

  TRecordsFixture Table;
};

TEST_F(ValueReader, GivesTheCellsInTheSequencesOrder) {
  const TRecord& record = Table.Make({"a", "b", "c"});
  struct TCase {
    const char* Columns;
    const char* Cells;
  } cases[] = {
      {"ABCV", "a|b|c|ac"}, {"CBA", "c|b|a"}, {"VCAVB", "ac|c|a|ac|b"}, {"BBA", "b|b|a"}, {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Columns);
    EXPECT_EQ(Read(c.Columns, record), c.Cells);
  }
  // A record short of fields has empty cells there.
  EXPECT_EQ(Read("CAB", Table.Make({"a"})), "|a|");
}

TEST_F(ValueReader, AVisitThatAnswersFalseEndsTheWalk) {
  const TRecord& record = Table.Make({"a", "", "c"});
  for (const char* names : {"ABC", "CBA"}) {
    SCOPED_TRACE(names);
    std::vector<TColumn*> columns;
    for (const char* name = names; *name != '\0'; ++name) {
      columns.push_back(&Table.Column(std::string(1, *name)));
    }
    TValueReader values(columns);
    std::string seen;
    EXPECT_FALSE(values.ForEachValue(record, [&](std::size_t, std::string_view value) {
      seen += value;
      return !value.empty();
    }));
    EXPECT_EQ(seen, names[0] == 'A' ? "a" : "c");
    EXPECT_TRUE(values.ForEachValue(record, [](std::size_t, std::string_view) { return true; }));
  }
}

}  // namespace
}  // namespace mervanta::test
