#pragma once

#include "views/cell_layout.h"
#include "views/text_measure.h"
#include "views/wrap_measure.h"

namespace mervanta::test {

// Every character 7 pixels wide, lines 15 pixels high: layouts to check by hand.
class TFixedMeasure final : public TTextMeasure, public TWrapMeasure {
 public:
  static constexpr int kCharWidth = 7;
  static constexpr int kLineHeight = 15;
  int TextWidth(std::string_view text) const override {
    return static_cast<int>(text.size()) * kCharWidth;
  }
  int LineHeight() const override { return kLineHeight; }
  int WrappedHeight(std::string_view text, int width, bool wordWrap) const override {
    return static_cast<int>(CellLines(text, wordWrap, width, *this).size()) * kLineHeight;
  }
};

}  // namespace mervanta::test
