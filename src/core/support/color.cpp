#include "support/color.h"

#include <cstdio>

namespace mervanta {

namespace {

// Index order of the desktop's system colours (scroll bar, background, active caption, ...).
constexpr TColor kSystemColors[] = {
    RGB(200, 200, 200), RGB(0, 0, 0),       RGB(153, 180, 209), RGB(191, 205, 219),
    RGB(240, 240, 240), RGB(255, 255, 255), RGB(100, 100, 100), RGB(0, 0, 0),
    RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(180, 180, 180), RGB(244, 247, 252),
    RGB(171, 171, 171), RGB(0, 120, 215),   RGB(255, 255, 255), RGB(240, 240, 240),
    RGB(160, 160, 160), RGB(109, 109, 109), RGB(0, 0, 0),       RGB(0, 0, 0),
    RGB(255, 255, 255), RGB(105, 105, 105), RGB(227, 227, 227), RGB(0, 0, 0),
    RGB(255, 255, 225), RGB(0, 0, 0),       RGB(0, 102, 204),   RGB(185, 209, 234),
    RGB(215, 228, 242), RGB(0, 120, 215),   RGB(240, 240, 240)};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

TColor ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) != 0xFF000000u) return color & 0x00FFFFFFu;
  unsigned index = color & 0xFFu;
  return index < std::size(kSystemColors) ? kSystemColors[index] : 0;
}

std::string ColorToText(TColor color) {
  TColor rgb = ColorToRGB(color);
  char text[8];
  std::snprintf(text, sizeof text, "#%.2X%.2X%.2X", rgb & 0xFF, (rgb >> 8) & 0xFF,
                (rgb >> 16) & 0xFF);
  return text;
}

bool TryTextToColor(std::string_view text, TColor& color) {
  if (text.size() != 7 || text[0] != '#') return false;
  int digits[6];
  for (int i = 0; i < 6; ++i) {
    digits[i] = HexDigit(text[i + 1]);
    if (digits[i] < 0) return false;
  }
  color = RGB(static_cast<unsigned>(digits[0] * 16 + digits[1]),
              static_cast<unsigned>(digits[2] * 16 + digits[3]),
              static_cast<unsigned>(digits[4] * 16 + digits[5]));
  return true;
}

}  // namespace mervanta
