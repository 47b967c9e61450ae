// The texts of the quick search box: stored in the settings, newest first, and walked with
// Page Up and Page Down.
#include "search/quick_search_history.h"

#include <gtest/gtest.h>

#include <string>

#include "core/table/table_fixture.h"
#include "support/xml_tag.h"

namespace mervanta::test {
namespace {

class QuickSearchHistoryTest : public testing::Test {
 protected:
  std::string Stored() const {
    const TXmlTag* session = Root.FindChild("Session");
    const TXmlTag* form = session != nullptr ? session->FindChild("SearchFastForm") : nullptr;
    return form != nullptr ? form->ReadString("History") : "<none>";
  }
  void Store(std::string_view commaText) {
    Root.Child("Session")->Child("SearchFastForm")->WriteString("History", commaText);
  }

  TXmlTag Root{"Mervanta"};
};

class StoredHistoryTest : public QuickSearchHistoryTest,
                          public testing::WithParamInterface<bool> {};

TEST_P(StoredHistoryTest, IsLoadedOnlyWithTheOption) {
  const TScopedOption store(*Options().Search->StoreQuickSearchHistory, GetParam());
  Store("first,\"two words\"");
  const TQuickSearchHistory history(Root);
  EXPECT_EQ(history.Items(), GetParam() ? TStringList({"first", "two words"}) : TStringList());
}

// Without the option the list starts empty, but OK still writes it; saving the options
// empties it afterwards.
TEST_P(StoredHistoryTest, IsWrittenOnOkWhateverTheOption) {
  const TScopedOption store(*Options().Search->StoreQuickSearchHistory, GetParam());
  Store("old");
  TQuickSearchHistory history(Root);
  history.Confirm("new");
  EXPECT_EQ(Stored(), GetParam() ? "new,old" : "new");
}

INSTANTIATE_TEST_SUITE_P(QuickSearchHistory, StoredHistoryTest, testing::Bool());

TEST_F(QuickSearchHistoryTest, MovesAConfirmedTextToTheFront) {
  Store("a,b,c");
  TQuickSearchHistory history(Root);
  history.Confirm("b");
  EXPECT_EQ(history.Items(), TStringList({"b", "a", "c"}));
  history.Confirm("d");
  EXPECT_EQ(history.Items(), TStringList({"d", "b", "a", "c"}));
  EXPECT_EQ(Stored(), "d,b,a,c");
}

TEST_F(QuickSearchHistoryTest, KeepsTheNewest32Texts) {
  TQuickSearchHistory history(Root);
  for (int i = 1; i <= 33; ++i) history.Confirm(std::to_string(i));
  ASSERT_EQ(history.Items().size(), 32u);
  EXPECT_EQ(history.Items().front(), "33");
  EXPECT_EQ(history.Items().back(), "2");
  EXPECT_EQ(TQuickSearchHistory(Root).Items(), history.Items());
}

TEST_F(QuickSearchHistoryTest, QuotesTextsWithBlanksCommasAndQuotes) {
  TQuickSearchHistory history(Root);
  for (const char* text : {"plain", "two words", "a,b", "say \"hi\""}) history.Confirm(text);
  EXPECT_EQ(Stored(), "\"say \"\"hi\"\"\",\"a,b\",\"two words\",plain");
  EXPECT_EQ(TQuickSearchHistory(Root).Items(),
            TStringList({"say \"hi\"", "a,b", "two words", "plain"}));
}

TEST_F(QuickSearchHistoryTest, LeavesTheStoredListAloneOnAnEmptyText) {
  Store("a,b");
  TQuickSearchHistory history(Root);
  history.Confirm("");
  EXPECT_EQ(history.Items(), TStringList({"a", "b"}));
  EXPECT_EQ(Stored(), "a,b");
}

struct TPageCase {
  const char* Text;
  bool Next;
  int Expected;
};

TEST(QuickSearchHistoryPages, StepFromTheEqualEntryAndStopAtTheEnds) {
  const TStringList items{"newest", "middle", "oldest"};
  const TPageCase cases[] = {
      {"middle", false, 0}, {"middle", true, 2}, {"newest", false, 0},
      {"oldest", true, 2},  {"newest", true, 1}, {"unknown", false, 0},
      {"unknown", true, 0}, {"", true, 0},       {"MIDDLE", true, 0},
  };
  for (const TPageCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text) + (c.Next ? " Page Down" : " Page Up"));
    EXPECT_EQ(AdjacentEntry(items, c.Text, c.Next), c.Expected);
  }
  EXPECT_EQ(AdjacentEntry({}, "any", true), -1);
}

}  // namespace
}  // namespace mervanta::test
