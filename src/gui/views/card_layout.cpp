#include "views/card_layout.h"

#include <algorithm>

namespace mervanta {

int CardCaptionWidth(std::span<const int> textWidths) {
  const int widest =
      textWidths.empty() ? 0 : *std::max_element(textWidths.begin(), textWidths.end());
  return std::min(std::max(widest, 50) + 12, 200);
}

TCardStack StackCardItems(std::span<const int> editorHeights) {
  TCardStack stack;
  for (const int height : editorHeights) {
    if (!stack.Tops.empty()) stack.Height += kCardItemGap;
    stack.Tops.push_back(stack.Height);
    stack.Height += height;
  }
  return stack;
}

int CardBoxHeight(int totalHeight, int screenHeight) {
  return std::min(totalHeight, screenHeight * 3 / 4);
}

int CardMemoHeight(int borderHeight, int lines, int textHeight) {
  return 8 * borderHeight + lines * textHeight;
}

}  // namespace mervanta
