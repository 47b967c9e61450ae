// The blind search: where it looks, in which order, and what it highlights.
#include "search/blind_search.h"

#include <gtest/gtest.h>

#include <string>

#include "core/model/records_fixture.h"
#include "core/table/table_fixture.h"
#include "model/column.h"

namespace mervanta::test {
namespace {

// Column A is shown, B hidden, C holds pictures.
class BlindSearchTest : public testing::Test, public TRecordsFixture {
 public:
  BlindSearchTest() : TRecordsFixture(3) {
    Column("B").Visible->SetValue(false);
    Column("C").SetColumnType(TColumnType::Picture);
    for (const TRow& row : std::vector<TRow>{{"apple", "", "banana.jpg"},
                                             {"Banana", "", ""},
                                             {"cherry", "banana", ""},
                                             {"banana split", "", ""},
                                             {"date", "", ""}}) {
      All.Add(Make(row));
    }
  }
};

TEST_F(BlindSearchTest, ScansFromTheSelectionAndWrapsAroundIt) {
  const TScopedOption pictures(*Options().Flip->ShowPictures, true);
  struct TCase {
    const char* Text;
    int Selected;
    bool Forward;
    int Offset;
    bool Wrap;
    int Found;  // -1: nothing, the selection stays
  } cases[] = {
      {"banana", 1, true, 0, false, 1},  {"BAN", 1, true, 1, false, 3},
      {"banana", 3, true, 1, false, -1}, {"banana", 3, true, 1, true, 1},
      {"date", 4, true, 1, true, -1},    {"apple", 2, true, 0, true, 0},
      {"banana", 3, false, 1, false, 1}, {"banana", 1, false, 1, false, -1},
      {"banana", 1, false, 1, true, 3},  {"banana", 0, false, 1, true, 3},
      {"date", 4, false, 0, false, 4},   {"", 0, true, 0, true, -1},
      {"cherry", 4, false, 1, true, 2},  {"x", 2, true, 0, true, -1},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text) + " from " + std::to_string(c.Selected));
    All.SetItemIndex(c.Selected);
    EXPECT_EQ(TBlindSearch::Find(c.Text, All, c.Wrap, c.Forward, c.Offset), c.Found >= 0);
    EXPECT_EQ(All.ItemIndex(), c.Found >= 0 ? c.Found : c.Selected);
  }
}

TEST_F(BlindSearchTest, LooksInPictureColumnsOnlyWhileTheyShowAsText) {
  for (bool showPictures : {true, false}) {
    SCOPED_TRACE(showPictures);
    const TScopedOption pictures(*Options().Flip->ShowPictures, showPictures);
    All.SetItemIndex(4);
    EXPECT_TRUE(TBlindSearch::Find("banana", All, true, true, 1));
    EXPECT_EQ(All.ItemIndex(), showPictures ? 1 : 0);
    TMatchSpan span;
    EXPECT_EQ(TBlindSearch::LocateMatch("NANA", Column("C"), All.Item(0), span), !showPictures);
  }
}

TEST_F(BlindSearchTest, HighlightsTheFirstOccurrenceInAColumnItSearches) {
  const TScopedOption pictures(*Options().Flip->ShowPictures, true);
  struct TCase {
    const char* Text;
    const char* Column;
    int Record;
    bool Located;
    TMatchSpan Span;
  } cases[] = {
      {"AN", "A", 3, true, {2, 3}}, {"split", "A", 3, true, {8, 12}}, {"x", "A", 3, false, {}},
      {"", "A", 3, false, {}},      {"ban", "B", 2, false, {}},       {"ban", "C", 0, false, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text) + " in " + c.Column);
    TMatchSpan span;
    EXPECT_EQ(TBlindSearch::LocateMatch(c.Text, Column(c.Column), All.Item(c.Record), span),
              c.Located);
    EXPECT_EQ(span.First, c.Span.First);
    EXPECT_EQ(span.Last, c.Span.Last);
  }
}

}  // namespace
}  // namespace mervanta::test
