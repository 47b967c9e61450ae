#pragma once

namespace mervanta {

// The largest horizontal position of the lists: the last visible column's right edge then
// meets the right edge of the list's rows, left of its vertical scroll bar. 0 when the
// columns fit.
int HorzScrollMaximum(int columnsWidth, int gridWidth, int vertBarWidth);

// Where the horizontal scroll bar sits in the tab strip: from two thirds of the grid's width
// to one vertical scroll bar's width before its right edge.
struct THorzScrollPlace {
  int Left = 0;
  int Width = 0;
};
THorzScrollPlace HorzScrollPlace(int gridWidth, int vertBarWidth);

// The panes of the split view never get smaller than this.
inline constexpr int kMinPaneHeight = 20;

// The top pane's height for a ratio of the grid's height (0 meaning half), kept between the
// smallest pane and what leaves the smallest pane below the heading and the splitter.
int TopPaneHeight(double ratio, int clientHeight, int headHeight, int splitterHeight);

}  // namespace mervanta
