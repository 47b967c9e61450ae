#pragma once

#include <string_view>

namespace mervanta {

// Blanks and control characters: every byte up to the space. Values, names and settings
// lose them at their ends, whatever typed or imported them.
constexpr bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

constexpr std::string_view TrimmedLeft(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  return text;
}

constexpr std::string_view TrimmedRight(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

constexpr std::string_view Trimmed(std::string_view text) {
  return TrimmedRight(TrimmedLeft(text));
}

}  // namespace mervanta
