#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

// Which way FindToken walks a range of tokens.
enum class TFoScan : std::uint8_t { Forward, Backward };

enum class TFoTokenKind : std::uint8_t {
  String,      // a literal in double quotes, quotes included
  Identifier,  // a function name
  Number,
  Compare,  // a run of "<", "=" and ">"
  AddOp,    // binary "+" or "-"
  MulOp,
  Sign,  // unary "+" or "-"
  Open,
  Close,
  Separator,
  Column,  // "#" and its digits
};

// Cuts a formula into tokens that keep their exact source text. Brackets are paired while
// reading, so searches skip a bracketed group in one step and parsing stays linear.
class TFormulaReader {
 public:
  // Raises EFormulaError 42 to 45 on a lexical fault.
  void Read(std::string_view text);

  int Count() const { return static_cast<int>(Tokens_.size()); }
  std::string_view Text(int i) const;
  TFoTokenKind Kind(int i) const { return Tokens_[static_cast<std::size_t>(i)].Kind; }
  // The bracket that closes or opens the bracket at i.
  int Partner(int i) const { return Tokens_[static_cast<std::size_t>(i)].Partner; }

  // The first token of `kind` at bracket depth 0 met walking from `first` up (Forward) or from
  // `last` down (Backward); -1 when there is none. Brackets themselves are never found. The depth
  // counts within the range, so past an unmatched closing bracket ("1)(2;3" forward) the tokens of
  // the next group are at depth 0 again.
  int FindToken(int first, int last, TFoScan scan, TFoTokenKind kind) const;
  // Drops bracket pairs that enclose the whole range.
  void StripBrackets(int& first, int& last) const;

 private:
  struct TToken {
    std::uint32_t Start;
    std::uint32_t Length;
    TFoTokenKind Kind;
    int Partner;
  };

  void Add(std::size_t start, std::size_t end, TFoTokenKind kind);

  std::string Source_;
  std::vector<TToken> Tokens_;
};

}  // namespace mervanta
