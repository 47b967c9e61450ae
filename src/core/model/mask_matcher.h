#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mervanta {

// A file-name style mask: "*" any run of characters, "?" exactly one, "[...]" one of a set of
// characters and ranges ("a-z"; a reversed range covers the same characters), negated by
// "!" right after the bracket; every other character stands for itself. The whole value
// must match, and case is ignored by upper-casing mask and value through the locale's table.
// Matching takes at most |value| x |mask| steps, whatever the mask.
class TMaskMatcher {
 public:
  // Raises "'<mask>' is an invalid mask at (<position>)" for a set without its closing
  // bracket (at the opening one) or an empty set (at its closing bracket); positions count
  // from 1.
  explicit TMaskMatcher(std::string_view mask);

  bool Matches(std::string_view value) const;

 private:
  enum TTokenKind : std::uint8_t { tkChar, tkAnyChar, tkSet, tkAnyRun };
  struct TToken {
    TTokenKind Kind;
    unsigned char Char;
    std::uint32_t Set;  // index into Sets_
  };

  bool MatchesOne(const TToken& token, unsigned char folded) const;

  std::array<unsigned char, 256> Fold_;
  std::vector<TToken> Tokens_;
  std::vector<std::bitset<256>> Sets_;
};

}  // namespace mervanta
