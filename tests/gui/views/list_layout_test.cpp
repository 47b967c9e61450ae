#include "views/list_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace mervanta::test {
namespace {

// Items 10, 20, 30, 10 and 10 pixels high in a view 35 pixels high.
TListLayout Layout(int clientHeight = 35, std::vector<int> heights = {10, 20, 30, 10, 10}) {
  const int count = static_cast<int>(heights.size());
  return TListLayout(count, clientHeight,
                     [heights](int index) { return heights.at(static_cast<std::size_t>(index)); });
}

TEST(ListLayout, FindsTheItemUnderAPoint) {
  using enum TListLayout::TBelowLast;
  struct TCase {
    int Top, Y;
    TListLayout::TBelowLast Below;
    int Item;
  };
  const TCase cases[] = {
      {0, -1, None, -1}, {2, -5, None, 1},  {0, 0, None, 0},  {0, 9, None, 0},
      {0, 10, None, 1},  {0, 29, None, 1},  {0, 30, None, 2}, {2, 5, None, 2},
      {0, 80, None, -1}, {0, 80, Count, 5}, {3, 19, None, 4},
  };
  const TListLayout layout = Layout();
  for (const TCase& c : cases) {
    EXPECT_EQ(layout.ItemAt(c.Top, c.Y, c.Below), c.Item) << c.Top << " " << c.Y;
  }
  const TListLayout empty = Layout(35, {});
  EXPECT_EQ(empty.ItemAt(0, 0, None), -1);
  EXPECT_EQ(empty.ItemAt(0, 0, Count), 0);
  EXPECT_EQ(empty.VisibleRows(0), 0);
  EXPECT_EQ(empty.LargestTop(), 0);
}

TEST(ListLayout, CountsThePageAndStopsTheTopWhereTheLastItemShowsWhole) {
  const TListLayout layout = Layout();
  EXPECT_EQ(layout.VisibleRows(0), 2);
  EXPECT_EQ(layout.VisibleRows(2), 1);
  EXPECT_EQ(layout.LargestTop(), 3);
  EXPECT_EQ(Layout(50).LargestTop(), 2);
  EXPECT_EQ(Layout(1000).LargestTop(), 0);
}

TEST(ListLayout, MovesTheViewJustEnoughToShowTheSelection) {
  struct TCase {
    int Selected, Top, NewTop;
  };
  const TCase cases[] = {
      {0, 2, 0},  // above: becomes the top
      {1, 0, 0},  // shown whole already
      {2, 0, 2},  // below: the last row, then on while it does not fit whole
      {4, 0, 3}, {3, 2, 3}, {-1, 2, 2},
  };
  const TListLayout layout = Layout();
  for (const TCase& c : cases) {
    EXPECT_EQ(layout.TopShowing(c.Selected, c.Top), c.NewTop) << c.Selected << " " << c.Top;
  }
}

}  // namespace
}  // namespace mervanta::test
