#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

// Whether the CR characters of a cell text are printed; a tab-separated line cannot hold them.
enum class TCarriageReturns : std::uint8_t { Keep, Drop };

// Whether cell texts are converted between the code page and UTF-8 or pass as bytes.
enum class TCellBytes : std::uint8_t { Converted, Raw };

// Cell texts at the edge of the tool: tables hold the ANSI code page, the terminal speaks
// UTF-8. With Raw the bytes pass as they are, both ways.
class TCellText {
 public:
  explicit TCellText(TCellBytes bytes);

  // The most bytes that one byte of cell text becomes when printed.
  static constexpr std::size_t kMaxOutputPerByte = 3;

  bool Raw() const { return Raw_; }
  // Writes the cell text as it is printed at `out`, less its CR characters with Drop;
  // `out` has room for kMaxOutputPerByte bytes per byte of the text. Returns the end.
  char* CopyOutput(char* out, std::string_view ansi,
                   TCarriageReturns returns = TCarriageReturns::Keep) const;
  // The same at the end of `out`.
  void AppendOutput(std::string& out, std::string_view ansi,
                    TCarriageReturns returns = TCarriageReturns::Keep) const;
  std::string Output(std::string_view ansi) const;
  // What the user typed, as cell text. Text the code page cannot hold exactly is refused
  // (EMervantaError naming the first character that does not fit), never made to fit.
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
