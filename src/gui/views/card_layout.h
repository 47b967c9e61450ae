#pragma once

#include <span>
#include <vector>

namespace mervanta {

// The card's fixed spacings, in pixels.
inline constexpr int kCardEditorGap = 4;  // between a caption and its editor
inline constexpr int kCardItemGap = 3;    // between items
inline constexpr int kCardMinWidth = 290;
inline constexpr int kCardMinHeight = 150;

// The width of the caption panels for captions of these text widths: the widest, at least
// 50, plus 12, and at most 200.
int CardCaptionWidth(std::span<const int> textWidths);

// Items stacked from 0, each as high as its editor: their tops, and the total height.
struct TCardStack {
  std::vector<int> Tops;
  int Height = 0;
};
TCardStack StackCardItems(std::span<const int> editorHeights);

// The scroll box shows every item unless they would take more than three quarters of the
// screen.
int CardBoxHeight(int totalHeight, int screenHeight);

// A multiline field: eight borders and the lines of the card's font.
int CardMemoHeight(int borderHeight, int lines, int textHeight);

}  // namespace mervanta
