#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

// Cell texts at the edge of the tool: tables hold the ANSI code page, the terminal speaks
// UTF-8. With `raw` the bytes pass as they are, both ways.
class TCellText {
 public:
  explicit TCellText(bool raw);

  bool Raw() const { return Raw_; }
  // Appends the cell text as it is printed; allocates nothing once `out` has grown.
  void AppendOutput(std::string& out, std::string_view ansi) const;
  std::string Output(std::string_view ansi) const;
  // What the user typed, as cell text.
  std::string Input(std::string_view typed) const;
  // Messages mix file names, which are UTF-8 already, with cell texts: text that is valid
  // UTF-8 is printed as it is, other text is taken for ANSI.
  std::string Message(std::string_view text) const;

 private:
  bool Raw_;
  std::array<std::array<char, 4>, 256> Utf8_{};
  std::array<std::uint8_t, 256> Utf8Length_{};
};

}  // namespace mervanta
