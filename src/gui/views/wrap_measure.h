#pragma once

#include <string_view>

namespace mervanta {

// What laying out word-wrapped captions needs of a font, so that the heading's layout can be
// computed, and tested, apart from any window.
class TWrapMeasure {
 public:
  virtual ~TWrapMeasure() = default;
  // The height of one line of text: the height of "A" in the font.
  virtual int LineHeight() const = 0;
  // The height of the text drawn in `width` pixels: broken at its line breaks and, with
  // `wordWrap`, also between words.
  virtual int WrappedHeight(std::string_view text, int width, bool wordWrap) const = 0;
};

}  // namespace mervanta
