#include "views/card_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace mervanta {
namespace {

TEST(CardLayoutTest, CaptionWidthIsTheWidestAtLeastFiftyPlusTwelveAtMostTwoHundred) {
  struct TCase {
    std::vector<int> Widths;
    int Expected;
  };
  const TCase cases[] = {{{}, 62},         {{10, 30}, 62}, {{50}, 62},   {{51, 20}, 63},
                         {{20, 140}, 152}, {{188}, 200},   {{189}, 200}, {{500, 10}, 200}};
  for (const TCase& test : cases) EXPECT_EQ(CardCaptionWidth(test.Widths), test.Expected);
}

TEST(CardLayoutTest, ItemsStackWithThreePixelsBetweenThem) {
  const std::vector<int> heights{21, 88, 21};
  const TCardStack stack = StackCardItems(heights);
  EXPECT_EQ(stack.Tops, (std::vector<int>{0, 24, 115}));
  EXPECT_EQ(stack.Height, 136) << "no gap after the last";
  EXPECT_EQ(StackCardItems(std::vector<int>{}).Height, 0);
}

TEST(CardLayoutTest, TheBoxTakesAtMostThreeQuartersOfTheScreen) {
  EXPECT_EQ(CardBoxHeight(300, 1000), 300);
  EXPECT_EQ(CardBoxHeight(900, 1000), 750);
  EXPECT_EQ(CardMemoHeight(1, 5, 15), 83);
}

}  // namespace
}  // namespace mervanta
