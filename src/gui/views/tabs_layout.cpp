#include "views/tabs_layout.h"

namespace mervanta {

namespace {

constexpr int kTabMargin = 4;

// Whether the point lies inside the tab's outline: between its slopes on the point's row.
bool TabHolds(const TTabPlace& tab, int height, int x, int y) {
  if (!tab.Shown || y < 0 || y >= height) return false;
  const int slant = TabSlant(height);
  const int inward = height > 1 ? slant * y / (height - 1) : 0;
  return x >= tab.Left - slant - 1 + inward && x < tab.Right + slant - 1 - inward;
}

}  // namespace

std::vector<TTabPlace> PlaceTabs(std::span<const std::optional<int>> captionWidths, int height) {
  const int slant = TabSlant(height);
  std::vector<TTabPlace> tabs;
  tabs.reserve(captionWidths.size());
  int left = slant + kTabMargin;
  for (const std::optional<int>& width : captionWidths) {
    if (!width) {
      tabs.push_back({.Left = left, .Right = left});
      continue;
    }
    const int right = left + *width + kTabMargin;
    tabs.push_back({.Left = left, .Right = right, .Shown = true});
    left = right + slant;
  }
  return tabs;
}

std::array<TPixel, 4> TabShape(const TTabPlace& tab, int height) {
  const int slant = TabSlant(height);
  return {TPixel{tab.Left - slant - 1, 0}, TPixel{tab.Left - 1, height - 1},
          TPixel{tab.Right - 1, height - 1}, TPixel{tab.Right + slant - 1, 0}};
}

int TabAt(std::span<const TTabPlace> tabs, int height, int stripWidth, int activeIndex, int x,
          int y) {
  if (x >= GripLeft(stripWidth, height)) return -1;
  const int count = static_cast<int>(tabs.size());
  if (activeIndex >= 0 && activeIndex < count &&
      TabHolds(tabs[static_cast<std::size_t>(activeIndex)], height, x, y)) {
    return activeIndex;
  }
  for (int i = 0; i < count; ++i) {
    if (TabHolds(tabs[static_cast<std::size_t>(i)], height, x, y)) return i;
  }
  return -1;
}

}  // namespace mervanta
