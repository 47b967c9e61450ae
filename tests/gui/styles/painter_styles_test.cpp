#include "styles/painter_styles.h"

#include <gtest/gtest.h>

#include <string>

namespace mervanta {
namespace {

// Each state names itself in the font colour; Checked and Hot also choose a fill, and
// Disabled another, so that what a state leaves unassigned shows through from below.
class PainterStylesTest : public testing::Test {
 protected:
  PainterStylesTest() {
    styles.EditAdapt([](TPainterStyle& style) { style.FontColor = QColor(0, 0, 0); });
    const std::pair<TStateStyleKind, int> states[] = {
        {TStateStyleKind::Checked, 1},  {TStateStyleKind::CheckedHot, 2},
        {TStateStyleKind::Disabled, 3}, {TStateStyleKind::Focused, 4},
        {TStateStyleKind::Hot, 5},      {TStateStyleKind::Pressed, 6}};
    for (const auto& [kind, mark] : states) {
      styles.EditState(kind, [mark](TStateStyle& style) {
        style.Set(TStyleValue::FontColor,
                  [mark](TPainterStyle& v) { v.FontColor = QColor(mark, 0, 0); });
      });
    }
    styles.EditState(TStateStyleKind::Checked, [](TStateStyle& style) {
      style.Set(TStyleValue::FillKind, [](TPainterStyle& v) { v.FillKind = TFillKind::Dither; });
    });
    styles.EditState(TStateStyleKind::Hot, [](TStateStyle& style) {
      style.Set(TStyleValue::FillKind, [](TPainterStyle& v) { v.FillKind = TFillKind::BDiagonal; });
    });
    styles.EditState(TStateStyleKind::Disabled, [](TStateStyle& style) {
      style.Set(TStyleValue::FillKind, [](TPainterStyle& v) { v.FillKind = TFillKind::Grid; });
    });
  }

  static std::string Name(const TPainterStyle& style) {
    static const char* const kNames[] = {"adapt",   "checked", "checkedhot", "disabled",
                                         "focused", "hot",     "pressed"};
    static const char* const kFills[] = {"solid", "clear",     "dither",    "gh",
                                         "gv",    "bdiagonal", "fdiagonal", "grid"};
    return std::string(kNames[style.FontColor.red()]) + "/" +
           kFills[static_cast<int>(style.FillKind)];
  }

  TPainterStyles styles;
};

TEST_F(PainterStylesTest, EveryStateResolvesToItsStylesOverTheBase) {
  // Flags: 1 pressed, 2 hot, 4 checked, 8 disabled, 16 focused.
  const char* const expected[32] = {
      "adapt/solid",    "adapt/solid",      "hot/bdiagonal",    "pressed/solid",  "checked/dither",
      "checked/dither", "checkedhot/solid", "pressed/dither",   "disabled/grid",  "disabled/grid",
      "disabled/grid",  "disabled/grid",    "disabled/grid",    "disabled/grid",  "disabled/grid",
      "disabled/grid",  "focused/solid",    "focused/solid",    "hot/bdiagonal",  "pressed/solid",
      "focused/dither", "focused/dither",   "checkedhot/solid", "pressed/dither", "disabled/grid",
      "disabled/grid",  "disabled/grid",    "disabled/grid",    "disabled/grid",  "disabled/grid",
      "disabled/grid",  "disabled/grid"};
  for (int flags = 0; flags < 32; ++flags) {
    EXPECT_EQ(Name(styles.Resolve(flags)), expected[flags]) << "flags " << flags;
  }
  // Without any state style contributing, the base itself answers.
  EXPECT_EQ(&styles.Resolve(0), &styles.Adapt());
}

TEST_F(PainterStylesTest, AChangeForgetsTheResolvedStylesAndIsAnnounced) {
  int changes = 0;
  styles.OnChange = [&changes] { ++changes; };
  EXPECT_EQ(Name(styles.Resolve(2)), "hot/bdiagonal");
  styles.EditState(TStateStyleKind::Hot, [](TStateStyle& style) {
    style.SetAssigned(TStyleValues().set(static_cast<std::size_t>(TStyleValue::FontColor)));
  });
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Name(styles.Resolve(2)), "hot/solid");
  EXPECT_EQ(styles.State(TStateStyleKind::Hot).Values().FillKind, TFillKind::Solid)
      << "an unassigned value goes back to its default";
}

}  // namespace
}  // namespace mervanta
