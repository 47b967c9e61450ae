#include "views/tabs_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace mervanta::test {
namespace {

using TWidths = std::vector<std::optional<int>>;

// A strip 21 pixels high: the tabs slant by 10.
constexpr int kHeight = 21;

TEST(TabsLayout, TabsFollowEachOtherASlantApartAndHiddenOnesTakeNoRoom) {
  EXPECT_EQ(TabSlant(21), 10);
  EXPECT_EQ(TabSlant(20), 9);
  EXPECT_EQ(TabSlant(1), 0);
  struct TCase {
    TWidths Widths;
    std::vector<TTabPlace> Places;
  };
  const TCase cases[] = {
      {{30, 40}, {{14, 48, true}, {58, 102, true}}},
      {{30, std::nullopt, 40}, {{14, 48, true}, {58, 58, false}, {58, 102, true}}},
      {{std::nullopt, 0}, {{14, 14, false}, {14, 18, true}}},
      {{}, {}},
  };
  for (const TCase& c : cases) {
    const std::vector<TTabPlace> places = PlaceTabs(c.Widths, kHeight);
    ASSERT_EQ(places.size(), c.Places.size());
    for (std::size_t i = 0; i < places.size(); ++i) {
      EXPECT_EQ(places[i].Left, c.Places[i].Left) << i;
      EXPECT_EQ(places[i].Right, c.Places[i].Right) << i;
      EXPECT_EQ(places[i].Shown, c.Places[i].Shown) << i;
    }
  }
}

TEST(TabsLayout, ATabIsAQuadrilateralWideningToTheTop) {
  const std::array<TPixel, 4> shape = TabShape({14, 48, true}, kHeight);
  EXPECT_EQ(shape[0], (TPixel{3, 0}));
  EXPECT_EQ(shape[1], (TPixel{13, 20}));
  EXPECT_EQ(shape[2], (TPixel{47, 20}));
  EXPECT_EQ(shape[3], (TPixel{57, 0}));
}

TEST(TabsLayout, FindsTheTabOnTopUnderAPointOutsideTheGrip) {
  // Tabs 14..48 and 58..102 at the bottom, overlapping at the top between 47 and 57.
  const std::vector<TTabPlace> tabs = PlaceTabs(TWidths{30, std::nullopt, 40}, kHeight);
  // A tab running under the grip square, which starts at 279 on a strip 300 wide.
  const std::vector<TTabPlace> wide = PlaceTabs(TWidths{300}, kHeight);
  struct TCase {
    const std::vector<TTabPlace>& Tabs;
    int Active, X, Y, Tab;
  };
  const TCase cases[] = {
      {tabs, -1, 20, 10, 0}, {tabs, -1, 13, 20, 0},  {tabs, -1, 12, 20, -1},
      {tabs, -1, 46, 20, 0}, {tabs, -1, 47, 20, -1}, {tabs, -1, 3, 0, 0},
      {tabs, -1, 2, 0, -1},  {tabs, -1, 50, 0, 0},   {tabs, 2, 50, 0, 2},
      {tabs, 0, 110, 0, 2},  {tabs, -1, 20, 21, -1}, {tabs, -1, 20, -1, -1},
      {wide, 0, 278, 10, 0}, {wide, 0, 279, 10, -1},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(TabAt(c.Tabs, kHeight, 300, c.Active, c.X, c.Y), c.Tab)
        << c.Active << " " << c.X << "," << c.Y;
  }
}

}  // namespace
}  // namespace mervanta::test
