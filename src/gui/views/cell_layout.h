#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

#include "views/text_measure.h"

namespace mervanta {

// Rows never grow taller than this, whatever their cells hold.
inline constexpr int kMaxRowHeight = 300;

enum class TCellAlignment : std::uint8_t { Auto, Left, Center, Right };

struct TCellSize {
  int Width = 0;
  int Height = 0;
  bool operator==(const TCellSize&) const = default;
};

// A rectangle in list coordinates; a height of kUnbounded lays a cell out for measuring.
struct TCellBox {
  static constexpr int kUnbounded = 1 << 30;
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = kUnbounded;
};

// The spacings of the list options, in pixels.
struct TCellSpacing {
  int Horz = 0;
  int Vert = 0;
  int Picture = 0;
};

// What a cell shows: its text, and the size of its picture or icon when it shows one.
struct TCellContent {
  std::string_view Text;
  bool WordWrap = false;
  bool IsNumber = false;
  // The picture's own size; for the "+"/"-" icon, the icon's.
  std::optional<TCellSize> Picture;
  bool IsIcon = false;
  TCellAlignment Alignment = TCellAlignment::Auto;
};

// Where a cell's text lines or picture go.
struct TCellLayout {
  // Views into the content's text, one per line; empty for a picture.
  std::vector<std::string_view> Lines;
  int ContentLeft = 0;
  int ContentTop = 0;
  int ContentWidth = 0;
  int ContentHeight = 0;
  // The height the cell asks of its row: the content and the spacing above and below it.
  int Need = 0;
};

// The size a picture is drawn at in a box: its own when it fits the box's width and the
// smaller of its height and the row cap, otherwise scaled keeping its aspect ratio (a tall
// picture by the allowed height, a wide one by the width, each then reduced by the other
// limit), rounded to nearest with ties to even. A box without room gives 0 × 0.
TCellSize FittedPictureSize(TCellSize picture, int boxWidth, int boxHeight);

// The text's lines: split at its line breaks, and with `wordWrap` also wrapped to `width` at
// spaces (the spaces at a break dropped; a word wider than the width keeps a line of its own).
std::vector<std::string_view> CellLines(std::string_view text, bool wordWrap, int width,
                                        const TTextMeasure& measure);

// Lays the content out in the box: shrunk by the picture spacing around a picture that is not
// an icon, else by the horizontal and vertical spacings; placed by its alignment (Auto: centred
// for pictures, right for numbers, left otherwise), pictures also centred vertically.
TCellLayout LayOutCell(const TCellContent& content, TCellBox box, const TCellSpacing& spacing,
                       const TTextMeasure& measure);

// The height of a row whose cells ask `needs`: at least one line, at most kMaxRowHeight, and
// one pixel more for the line under it.
int RowHeight(int lineHeight, std::span<const int> needs, bool horzLines);

}  // namespace mervanta
