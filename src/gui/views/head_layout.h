#pragma once

#include <span>
#include <string>
#include <vector>

#include "views/wrap_measure.h"

namespace mervanta {

class TColumn;
class TColumns;

// No caption makes a heading button taller than this, nor the strip taller than the next.
inline constexpr int kMaxHeadTextHeight = 70;
inline constexpr int kMaxHeadHeight = 320;
// How far either side of a column button's right edge the mouse grabs the edge.
inline constexpr int kHeadResizeReach = 4;

// A button of the column heading: a column's, or a group's spanning the adjacent columns
// whose captions begin with the same name and a colon. Coordinates are the strip's before
// horizontal scrolling.
struct THeadButton {
  // The index of the group button above, which always comes before it; -1 for none.
  int Parent = -1;
  // Trimmed; never empty, so that an empty caption still makes a button.
  std::string Caption;
  // Null for a group button.
  TColumn* Column = nullptr;
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
};

// One button per visible column in order, each under the group buttons its caption names
// when `grouped`: "A:B" is B under a group A, and a column continues the group of the
// button added last under the same parent when that group has the same name, so "A:B", "A:C"
// share one group A while "A:B", "X", "A:C" make two. Geometry is left to PlaceHeadButtons.
std::vector<THeadButton> HeadButtons(const TColumns& columns, bool grouped);

// Places the buttons: each column button over its column's width from where the visible
// columns before it end, each group over its children, each button below its parent and as
// high as its caption wrapped in the button (within the line height and kMaxHeadTextHeight)
// plus a margin. Answers the strip's height, to which the column buttons are then extended.
int PlaceHeadButtons(std::span<THeadButton> buttons, const TWrapMeasure& measure, bool wordWrap);

// The index of the column button whose right edge the point grabs for resizing, or -1. The
// zone runs up through the group buttons that end at the same edge.
int HeadResizeZoneAt(std::span<const THeadButton> buttons, int x, int y);

// The index of the button under the point, or -1.
int HeadButtonAt(std::span<const THeadButton> buttons, int x, int y);

}  // namespace mervanta
