#include "views/grid_layout.h"

#include <gtest/gtest.h>

namespace mervanta {
namespace {

TEST(GridLayout, TheLastColumnScrollsUntilItMeetsTheRightEdgeOfTheRows) {
  struct TCase {
    int Columns, Grid, Bar, Maximum;
  } cases[] = {{1000, 400, 17, 617}, {383, 400, 17, 0}, {300, 400, 17, 0}, {0, 400, 17, 0}};
  for (const TCase& c : cases) {
    EXPECT_EQ(HorzScrollMaximum(c.Columns, c.Grid, c.Bar), c.Maximum) << c.Columns;
  }
}

TEST(GridLayout, TheScrollBarTakesTheRightThirdLessTheVerticalBar) {
  const THorzScrollPlace place = HorzScrollPlace(601, 17);
  EXPECT_EQ(place.Left, 400);
  EXPECT_EQ(place.Width, 184);
  EXPECT_EQ(HorzScrollPlace(10, 17).Width, 0);
}

TEST(GridLayout, TheTopPaneFollowsTheRatioWithinTheSmallestPanes) {
  struct TCase {
    double Ratio;
    int Client, Head, Splitter, Height;
  } cases[] = {{0, 400, 20, 6, 200},    {0.25, 400, 20, 6, 100}, {0.3333, 100, 20, 6, 33},
               {0.99, 400, 20, 6, 354}, {0.01, 400, 20, 6, 20},  {0.5, 30, 20, 6, 20}};
  for (const TCase& c : cases) {
    EXPECT_EQ(TopPaneHeight(c.Ratio, c.Client, c.Head, c.Splitter), c.Height) << c.Ratio;
  }
}

}  // namespace
}  // namespace mervanta
