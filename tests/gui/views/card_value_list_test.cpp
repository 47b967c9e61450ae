#include "views/card_value_list.h"

#include <gtest/gtest.h>

#include "core/model/records_fixture.h"

namespace mervanta::test {
namespace {

class CardValueListTest : public testing::Test, public TRecordsFixture {
 protected:
  std::vector<std::string> Filled() {
    TCardValueList list;
    list.Fill(Other, Columns[0]);
    return list.Entries();
  }
};

TEST_F(CardValueListTest, LinesOfTheMasterListSortedIgnoringCaseEachOnce) {
  for (const char* value : {"pear", "Apple", "", "apple", "two\r\nlines\n\rpear", "b"}) {
    All.Add(Make({value}));
  }
  EXPECT_EQ(Filled(), (std::vector<std::string>{"Apple", "b", "lines", "pear", "two"}))
      << "the list is filled from the master, whatever list the card works on";
}

TEST_F(CardValueListTest, TheScanStopsAtSixHundredEntries) {
  for (int i = 999; i >= 0; --i) All.Add(Make({std::to_string(1000 + i)}));
  const std::vector<std::string> entries = Filled();
  ASSERT_EQ(entries.size(), 600u);
  EXPECT_EQ(entries.front(), "1400") << "the first 600 records, not the smallest 600 values";
  EXPECT_EQ(entries.back(), "1999");
}

TEST_F(CardValueListTest, ValuesAddedLaterJoinInOrder) {
  All.Add(Make({"b"}));
  TCardValueList list;
  list.Fill(All, Columns[0]);
  All.Add(Make({"x"}));
  list.Fill(All, Columns[0]);
  EXPECT_EQ(list.Entries(), std::vector<std::string>{"b"}) << "filled once";
  list.Note("a\r\nB\r\nc");
  EXPECT_EQ(list.Entries(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST_F(CardValueListTest, StepsWrapAroundAndStartAtAnEndFromOtherTexts) {
  TCardValueList list;
  EXPECT_EQ(list.Step("x", true), "");
  list.Note("a\r\nb\r\nc");
  struct TCase {
    const char* From;
    bool Forward;
    const char* Expected;
  };
  const TCase cases[] = {{"a", true, "b"},  {"c", true, "a"},  {"a", false, "c"},
                         {"B", false, "a"}, {"zz", true, "a"}, {"", false, "c"}};
  for (const TCase& test : cases) {
    EXPECT_EQ(list.Step(test.From, test.Forward), test.Expected) << test.From << test.Forward;
  }
}

}  // namespace
}  // namespace mervanta::test
