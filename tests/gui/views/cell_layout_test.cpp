#include "views/cell_layout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "views/fixed_measure.h"

namespace mervanta::test {
namespace {

constexpr int kUnbounded = TCellBox::kUnbounded;

TEST(CellLayout, PicturesFitTheBoxKeepingTheirShape) {
  struct TCase {
    const char* Name;
    TCellSize Picture;
    int BoxWidth, BoxHeight;
    TCellSize Drawn;
  };
  const TCase cases[] = {
      {"wide, by the width, 48.5 to the even 48", {2000, 1000}, 97, kUnbounded, {97, 48}},
      {"fits as it is", {50, 40}, 97, 100, {50, 40}},
      {"tall, by the row cap, then the width", {1000, 2000}, 97, kUnbounded, {97, 194}},
      {"tall, by the row cap", {100, 1000}, 200, kUnbounded, {30, 300}},
      {"wide, by the width, then the height", {400, 300}, 1000, 150, {200, 150}},
      {"tie rounds to even upwards", {8, 3}, 4, kUnbounded, {4, 2}},
      {"no width", {10, 10}, 0, 100, {0, 0}},
      {"no height", {10, 10}, 50, 0, {0, 0}},
      {"an empty picture", {0, 0}, 50, 50, {0, 0}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(FittedPictureSize(c.Picture, c.BoxWidth, c.BoxHeight), c.Drawn);
  }
}

TEST(CellLayout, TextSplitsAtLineBreaksAndWrapsAtSpaces) {
  struct TCase {
    const char* Name;
    std::string Text;
    bool Wrap;
    int Width;
    std::vector<std::string_view> Lines;
  };
  const TCase cases[] = {
      {"breaks of every kind", "a\r\nb\nc\rd", false, 10, {"a", "b", "c", "d"}},
      {"long lines stay whole without wrapping", "aaa bbb ccc", false, 10, {"aaa bbb ccc"}},
      {"as many words as fit", "aaa bbb ccc", true, 49, {"aaa bbb", "ccc"}},
      {"a word wider than the box keeps its line",
       "x verylongword y",
       true,
       30,
       {"x", "verylongword", "y"}},
      {"spaces at a break are dropped", "ab   cd", true, 14, {"ab", "cd"}},
      {"explicit breaks also break wrapped text", "ab\ncd ef", true, 100, {"ab", "cd ef"}},
      {"an empty line stays a line", "a\n\nb", true, 100, {"a", "", "b"}},
      {"empty text is one empty line", "", true, 100, {""}},
  };
  const TFixedMeasure measure;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(CellLines(c.Text, c.Wrap, c.Width, measure), c.Lines);
  }
}

TEST(CellLayout, ContentIsPlacedByAlignmentInsideTheSpacing) {
  struct TCase {
    const char* Name;
    TCellContent Content;
    int Left, Top, Width, Height;
  };
  const TCellBox box{10, 20, 100, 60};
  const TCellSpacing spacing{.Horz = 2, .Vert = 3, .Picture = 1};
  const TCase cases[] = {
      {"text at the left", {.Text = "abc"}, 12, 23, 21, 15},
      {"numbers at the right", {.Text = "123", .IsNumber = true}, 10 + 2 + 96 - 21, 23, 21, 15},
      {"centred text, the half truncated",
       {.Text = "ab", .Alignment = TCellAlignment::Center},
       12 + (96 - 14) / 2,
       23,
       14,
       15},
      {"forced left for a number",
       {.Text = "1", .IsNumber = true, .Alignment = TCellAlignment::Left},
       12,
       23,
       7,
       15},
      {"a picture centred both ways in the picture spacing",
       {.Text = "p.jpg", .Picture = TCellSize{2000, 1000}},
       11 + (98 - 98) / 2,
       21 + (58 - 49) / 2,
       98,
       49},
      {"an icon keeps the text spacing",
       {.Text = "+", .Picture = TCellSize{16, 16}, .IsIcon = true},
       12 + (96 - 16) / 2,
       23 + (54 - 16) / 2,
       16,
       16},
      {"empty text has no content", {.Text = ""}, 12, 23, 0, 0},
  };
  const TFixedMeasure measure;
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const TCellLayout layout = LayOutCell(c.Content, box, spacing, measure);
    EXPECT_EQ(layout.ContentLeft, c.Left);
    EXPECT_EQ(layout.ContentTop, c.Top);
    EXPECT_EQ(layout.ContentWidth, c.Width);
    EXPECT_EQ(layout.ContentHeight, c.Height);
  }
}

TEST(CellLayout, RowsAreAsTallAsTheirTallestCellUpToTheCap) {
  const TFixedMeasure measure;
  const TCellSpacing spacing{.Horz = 2, .Vert = 3, .Picture = 1};
  // A 100-pixel column less its vertical line.
  const TCellBox column{0, 0, 99, TCellBox::kUnbounded};
  std::string twelveLines = "1";
  for (int i = 2; i <= 12; ++i) twelveLines += "\r\n" + std::to_string(i);
  const TCellLayout text = LayOutCell({.Text = twelveLines}, column, spacing, measure);
  const TCellLayout picture =
      LayOutCell({.Text = "p", .Picture = TCellSize{2000, 1000}}, column, spacing, measure);
  EXPECT_EQ(picture.ContentWidth, 97);
  EXPECT_EQ(picture.ContentHeight, 48);

  const int twelve = 12 * TFixedMeasure::kLineHeight + 2 * 3;
  EXPECT_EQ(RowHeight(15, std::vector{text.Need, picture.Need}, true), twelve + 1);
  EXPECT_EQ(RowHeight(15, std::vector{text.Need, picture.Need}, false), twelve);
  EXPECT_EQ(RowHeight(15, std::vector{picture.Need}, false), 48 + 2);
  EXPECT_EQ(RowHeight(15, std::vector<int>{}, false), 15);
  EXPECT_EQ(RowHeight(15, std::vector{900}, true), kMaxRowHeight + 1);
}

}  // namespace
}  // namespace mervanta::test
