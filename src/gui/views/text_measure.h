#pragma once

#include <string_view>

namespace mervanta {

// What laying out a cell needs to know of the list's font, so that the layout can be
// computed, and tested, apart from any window.
class TTextMeasure {
 public:
  virtual ~TTextMeasure() = default;
  // The width in pixels of the text on one line.
  virtual int TextWidth(std::string_view text) const = 0;
  // The height of one line of text: the height of "A" in the font.
  virtual int LineHeight() const = 0;
};

}  // namespace mervanta
