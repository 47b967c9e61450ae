#include "views/list_layout.h"

#include <algorithm>

namespace mervanta {

int TListLayout::ItemAt(int top, int y, TBelowLast below) const {
  if (y < 0) return top - 1;
  for (int index = std::max(top, 0); index < Count_; ++index) {
    y -= Height_(index);
    if (y < 0) return index;
  }
  return below == TBelowLast::Count ? Count_ : -1;
}

int TListLayout::VisibleRows(int top) const {
  return std::max(ItemAt(top, ClientHeight_, TBelowLast::Count) - top, 0);
}

int TListLayout::LargestTop() const {
  int index = Count_;
  int space = ClientHeight_;
  while (index > 0 && space > 0) {
    --index;
    space -= Height_(index);
  }
  if (space < 0) ++index;
  return std::max(index, 0);
}

int TListLayout::TopShowing(int selected, int top) const {
  if (selected < 0 || selected >= Count_) return top;
  if (selected < top) return selected;
  // Rows shown whole from the top: their bottoms lie inside the client area.
  int bottom = 0;
  int lastWhole = top - 1;
  for (int index = top; index < Count_ && index <= selected; ++index) {
    bottom += Height_(index);
    if (bottom > ClientHeight_) break;
    lastWhole = index;
  }
  if (selected <= lastWhole) return top;
  int newTop = std::max(selected - std::max(VisibleRows(top), 1) + 1, 0);
  // Then one row at a time while the selected row does not fit whole.
  auto span = [&](int from) {
    int sum = 0;
    for (int index = from; index <= selected; ++index) sum += Height_(index);
    return sum;
  };
  while (newTop < selected && span(newTop) > ClientHeight_) ++newTop;
  return newTop;
}

}  // namespace mervanta
