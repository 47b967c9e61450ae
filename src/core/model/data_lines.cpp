#include "model/data_lines.h"

#include <climits>

namespace mervanta {

int CountDataLines(std::string_view text) {
  // A line starts wherever a byte that is no line break follows a line break or the start;
  // written without a branch so that the compiler can take many bytes at once.
  auto isBreak = [](char c) {
    return static_cast<unsigned>(c == '\r') | static_cast<unsigned>(c == '\n');
  };
  if (text.empty()) return 0;
  std::size_t count = isBreak(text[0]) ^ 1u;
  for (std::size_t i = 1; i < text.size(); ++i)
    count += isBreak(text[i - 1]) & (isBreak(text[i]) ^ 1u);
  return static_cast<int>(std::min<std::size_t>(count, INT_MAX));
}

}  // namespace mervanta
