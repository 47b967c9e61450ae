#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "support/numbers.h"

namespace mervanta {

enum class TFoValueKind : std::uint8_t { Number, Text };

// The value of a node. A text views storage of the tree (a literal, a node's buffer) or a
// cell the resolver answered with; it stays valid until the node that made it is computed
// again, which no operation does while it still uses the text.
struct TFoVariable {
  TFoValueKind Kind = TFoValueKind::Number;
  TNumber Number;  // left unset until given: storing an 80-bit zero is not free
  std::string_view Text;

  void SetNumber(TNumber number) {
    Kind = TFoValueKind::Number;
    Number = number;
  }
  void SetText(std::string_view text) {
    Kind = TFoValueKind::Text;
    Text = text;
  }
};

// No text made by a formula is longer than a field may hold; longer ones are cut to it.
constexpr std::size_t kMaxTextLength = 65535;

// Appends as much of `piece` as the limit leaves room for.
inline void AppendBounded(std::string& text, std::string_view piece) {
  if (text.size() < kMaxTextLength) text.append(piece.substr(0, kMaxTextLength - text.size()));
}

// The locale-aware reading of a text as a number: the last comma or full stop is the decimal
// separator. NaN for anything else, the empty text included.
inline TNumber TextToNumber(std::string_view text) {
  return ParseNumber(text);
}
// 15 significant digits with the locale's decimal separator.
void NumberToText(TNumber value, std::string& text);

}  // namespace mervanta
