#pragma once

#include <cstdint>
#include <string>

#include "support/charsets.h"
#include "support/color.h"

namespace mervanta {

enum TFontStyle : std::uint8_t { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = std::uint8_t;

// A font as settings store it; the desktop program turns it into a real font.
struct TFont {
  std::string Name;
  int Size = 10;
  TFontStyles Style = 0;
  TColor Color = 0;
  int Charset = kDefaultCharset;

  bool operator==(const TFont&) const = default;
};

}  // namespace mervanta
