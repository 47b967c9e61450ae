#pragma once

#include <cstdint>
#include <functional>

namespace mervanta {

// The vertical geometry of a list of variable-height items, asked only for the items it walks
// over, so that a list of a million records measures only the rows around the view.
class TListLayout {
 public:
  using THeight = std::function<int(int index)>;

  TListLayout(int count, int clientHeight, THeight height)
      : Count_(count), ClientHeight_(clientHeight), Height_(std::move(height)) {}

  // What ItemAt answers below the last item.
  enum class TBelowLast : std::uint8_t { None, Count };
  // The item under client y for a list showing `top` first: top − 1 above the list, -1 (or
  // the count with Count) below the last item.
  int ItemAt(int top, int y, TBelowLast below) const;
  // How many items from `top` have their top inside the client area.
  int VisibleRows(int top) const;
  // The top that shows the last item whole at the bottom.
  int LargestTop() const;
  // The top after the selection moved to `selected`: it becomes the top when above the view;
  // when below the rows shown whole, the view moves until it is the last row shown whole.
  int TopShowing(int selected, int top) const;

 private:
  int Count_;
  int ClientHeight_;
  THeight Height_;
};

}  // namespace mervanta
