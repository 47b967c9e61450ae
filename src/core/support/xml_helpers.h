#pragma once

#include "support/font.h"
#include "support/xml_tag.h"

namespace mervanta {

// A font as the attributes Name, Size, Color, Style ("B", "I", "U") and Charset of an
// element. Reading keeps the font's current part for each missing attribute, except the
// character set, which falls back to the default one.
void ReadFont(const TXmlTag& tag, TFont& font);
void WriteFont(TXmlTag& tag, const TFont& font);
std::string FontStyleText(TFontStyles style);
TFontStyles FontStyleFromText(std::string_view text);

// A window's bounds and what its frame allows, as the desktop program hands them over.
struct TWindowPlacement {
  bool Resizable = true;
  bool Maximizable = true;
  bool Maximized = false;
  bool AutoPosition = true;  // the window system chooses the position
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;
};

void WritePlacement(TXmlTag& tag, const TWindowPlacement& placement);
// Stored bounds are moved so that the window lies on a screen of the given size.
void ReadPlacement(const TXmlTag& tag, TWindowPlacement& placement, int screenWidth,
                   int screenHeight);

}  // namespace mervanta
