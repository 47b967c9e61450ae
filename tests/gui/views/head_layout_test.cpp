#include "views/head_layout.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/columns.h"
#include "views/fixed_measure.h"

namespace mervanta::test {
namespace {

struct TColumnSetup {
  std::string Caption;
  int Width = 100;
  bool Visible = true;
};

class THeading {
 public:
  explicit THeading(const std::vector<TColumnSetup>& setups) {
    for (const TColumnSetup& setup : setups) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue(setup.Caption);
      column->Width->SetValue(setup.Width);
      column->Visible->SetValue(setup.Visible);
      Columns.Add(std::move(column));
    }
  }
  // Builds and places the buttons; answers the strip's height.
  int Place(bool grouped = true, bool wordWrap = true) {
    Buttons = HeadButtons(Columns, grouped);
    return PlaceHeadButtons(Buttons, TFixedMeasure(), wordWrap);
  }

  TColumns Columns;
  std::vector<THeadButton> Buttons;
};

// The buttons under `parent` as "caption" or "group{children}", joined by commas.
std::string Tree(const std::vector<THeadButton>& buttons, int parent = -1) {
  std::string tree;
  for (int i = 0; i < static_cast<int>(buttons.size()); ++i) {
    const THeadButton& button = buttons[static_cast<std::size_t>(i)];
    if (button.Parent != parent) continue;
    if (!tree.empty()) tree += ',';
    tree += button.Caption;
    if (button.Column == nullptr) tree += '{' + Tree(buttons, i) + '}';
  }
  return tree;
}

std::string Words(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += i == 0 ? "word" : " word";
  return text;
}

TEST(HeadLayout, CaptionsGroupAtTheirFirstInnerColon) {
  struct TCase {
    std::vector<TColumnSetup> Columns;
    bool Grouped;
    std::string Tree;
  };
  const TCase cases[] = {
      {{{"A:B"}, {"A:C"}}, true, "A{B,C}"},
      {{{"A:B"}, {"X"}, {"A:C"}}, true, "A{B},X,A{C}"},
      {{{"A:B"}, {"X", 100, false}, {"A:C"}}, true, "A{B,C}"},
      {{{"A:B"}, {"a:C"}}, true, "A{B},a{C}"},
      {{{"A:B:C"}, {"A:B:D"}, {"A:E"}}, true, "A{B{C,D},E}"},
      {{{"A:B:C"}, {"A:D"}, {"A:B:E"}}, true, "A{B{C},D,B{E}}"},
      {{{":A"}, {"A:"}, {"A::"}}, true, ":A,A:,A{:}"},
      {{{"A::B"}}, true, "A{:B}"},
      {{{"  Address :  City "}, {"Address:Street"}}, true, "Address{City,Street}"},
      {{{""}, {"   "}, {"A: "}}, true, " , ,A:"},
      {{{"A:B"}, {"A:C"}}, false, "A:B,A:C"},
  };
  for (const TCase& c : cases) {
    THeading heading(c.Columns);
    EXPECT_EQ(Tree(HeadButtons(heading.Columns, c.Grouped)), c.Tree) << c.Tree;
  }
}

TEST(HeadLayout, ButtonsSpanTheirColumnsAndStandOnTheirGroups) {
  THeading heading({{"Hidden", 300, false}, {"A:B", 100}, {"A:C", 50}, {"one two three", 50}});
  // The group: "A" on one line, 15 + 6 and one more; its children below it, down to the
  // strip's bottom; the last caption wraps to three lines, 45 + 6.
  EXPECT_EQ(heading.Place(), 51);
  struct TBox {
    int Left, Top, Right, Bottom;
    bool operator==(const TBox&) const = default;
  };
  const std::vector<TBox> expected = {
      {0, 0, 150, 22}, {0, 22, 100, 51}, {100, 22, 150, 51}, {150, 0, 200, 51}};
  ASSERT_EQ(heading.Buttons.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const THeadButton& b = heading.Buttons[i];
    EXPECT_EQ((TBox{b.Left, b.Top, b.Right, b.Bottom}), expected[i]) << b.Caption;
  }
  // Unwrapped, every caption is one line: the children end at 22 + 21.
  EXPECT_EQ(heading.Place(true, false), 43);
}

TEST(HeadLayout, HeightsStayWithinTheirCaps) {
  struct TCase {
    const char* Name;
    std::vector<TColumnSetup> Columns;
    int Height;
  };
  const std::string longText = Words(200);
  const std::string deep =
      longText + ":" + longText + ":" + longText + ":" + longText + ":" + longText + ":" + longText;
  const TCase cases[] = {
      {"no columns: one line", {}, 21},
      {"200 words: 70 and the margin", {{longText}}, 76},
      {"five nested groups of 200 words", {{deep}}, 320},
  };
  for (const TCase& c : cases) {
    THeading heading(c.Columns);
    EXPECT_EQ(heading.Place(), c.Height) << c.Name;
    for (const THeadButton& button : heading.Buttons) {
      const int height = button.Column != nullptr ? c.Height : button.Top + 77;
      EXPECT_EQ(button.Bottom, height) << c.Name;
    }
  }
}

TEST(HeadLayout, TheResizeZoneRunsUpThroughGroupsEndingAtTheSameEdge) {
  // Group A 0..150 over B 0..100 and C 100..150 from y 22; D 150..230 from the top.
  THeading flat({{"A:B", 100}, {"A:C", 50}, {"D", 80}});
  // Group A 0..150 over group B 0..100 (from 22, over C and D from 44) and E 100..150.
  THeading nested({{"A:B:C", 50}, {"A:B:D", 50}, {"A:E", 50}});
  struct TCase {
    THeading& Heading;
    int X, Y, Zone;
  };
  const TCase cases[] = {
      {flat, 100, 30, 1},  {flat, 96, 30, 1},   {flat, 95, 30, -1},   {flat, 103, 30, 1},
      {flat, 104, 30, -1}, {flat, 100, 21, -1}, {flat, 150, 0, 2},    {flat, 153, 10, 2},
      {flat, 154, 10, -1}, {flat, 150, 42, 2},  {flat, 150, 43, -1},  {flat, 150, -1, -1},
      {flat, 229, 0, 3},   {flat, 225, 0, -1},  {nested, 100, 30, 3}, {nested, 100, 21, -1},
      {nested, 150, 0, 4}, {nested, 50, 44, 2}, {nested, 50, 43, -1},
  };
  flat.Place();
  nested.Place();
  for (const TCase& c : cases) {
    EXPECT_EQ(HeadResizeZoneAt(c.Heading.Buttons, c.X, c.Y), c.Zone)
        << Tree(c.Heading.Buttons) << " " << c.X << "," << c.Y;
  }
}

TEST(HeadLayout, FindsTheButtonUnderAPoint) {
  THeading heading({{"A:B", 100}, {"A:C", 50}, {"D", 80}});
  heading.Place();
  struct TCase {
    int X, Y, Button;
  };
  const TCase cases[] = {{0, 0, 0},   {149, 21, 0}, {10, 22, 1}, {100, 42, 2},
                         {229, 0, 3}, {230, 0, -1}, {-1, 5, -1}, {10, 43, -1}};
  for (const TCase& c : cases) {
    EXPECT_EQ(HeadButtonAt(heading.Buttons, c.X, c.Y), c.Button) << c.X << "," << c.Y;
  }
}

}  // namespace
}  // namespace mervanta::test
