#pragma once

#include <array>
#include <optional>
#include <span>
#include <vector>

namespace mervanta {

// A tab of the tab strip, by its bottom edge: it slants outwards by TabSlant towards the top
// row, where it meets the list above.
struct TTabPlace {
  int Left = 0;
  int Right = 0;
  // Hidden tabs take no room and answer no click.
  bool Shown = false;
};

struct TPixel {
  int X = 0;
  int Y = 0;
  bool operator==(const TPixel&) const = default;
};

// How far a tab slants on a strip `height` pixels high.
constexpr int TabSlant(int height) {
  return (height - 1) / 2;
}

// The tabs from the left, given the width of each tab's caption in bold, or none for a
// hidden tab: the first starts at the slant plus 4, each is its caption plus 4 wide and the
// next starts a slant after it.
std::vector<TTabPlace> PlaceTabs(std::span<const std::optional<int>> captionWidths, int height);

// The tab's outline: top left, bottom left, bottom right, top right.
std::array<TPixel, 4> TabShape(const TTabPlace& tab, int height);

// The left of the square at the strip's right end reserved for the size grip.
constexpr int GripLeft(int stripWidth, int height) {
  return stripWidth - height;
}

// The shown tab under the point, or -1; where tabs overlap, the one drawn on top: the active
// one, else the one further left. The grip square holds no tab.
int TabAt(std::span<const TTabPlace> tabs, int height, int stripWidth, int activeIndex, int x,
          int y);

}  // namespace mervanta
