#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

// Red in the lowest byte, then green, then blue; a top byte of 0xFF marks a system colour
// whose low byte is the system colour's index.
using TColor = std::uint32_t;

constexpr TColor RGB(unsigned red, unsigned green, unsigned blue) {
  return red | (green << 8) | (blue << 16);
}
constexpr TColor SystemColor(unsigned index) {
  return 0xFF000000u | index;
}

// System colours resolved to the classic desktop defaults; plain colours unchanged.
TColor ColorToRGB(TColor color);

// "#RRGGBB" with upper-case digits, system colours resolved first.
std::string ColorToText(TColor color);
// Accepts exactly "#" and six characters of 0-9 and A-F.
bool TryTextToColor(std::string_view text, TColor& color);

}  // namespace mervanta
