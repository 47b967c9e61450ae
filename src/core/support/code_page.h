#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mervanta {

// An 8-bit code page: its Unicode mapping and its locale casing tables, built once.
// Bytes the code page leaves undefined map to the code point of the same number, so any
// byte string survives a round trip through Unicode.
class TCodePage {
 public:
  // Throws EMervantaError when the system has no converter for the code page.
  explicit TCodePage(int number);

  int Number() const { return Number_; }
  static bool IsSupported(int number);

  char32_t ToUnicode(unsigned char byte) const { return ToUnicode_[byte]; }
  // Whether the code page gives the byte a character of its own (see above).
  bool IsDefined(unsigned char byte) const { return Defined_[byte]; }
  // The byte for a code point, or false when the code page cannot show it.
  bool FromUnicode(char32_t codePoint, unsigned char& byte) const;

  std::string ToUtf8(std::string_view bytes) const;
  // The converter for everything typed that becomes table content or a password: text passes
  // exactly or not at all. Throws EMervantaError naming the first character the code page
  // cannot hold, or the first byte that is not UTF-8.
  std::string FromUtf8(std::string_view utf8) const;

  unsigned char Upper(unsigned char byte) const { return Upper_[byte]; }
  unsigned char Lower(unsigned char byte) const { return Lower_[byte]; }
  const std::array<unsigned char, 256>& UpperTable() const { return Upper_; }
  const std::array<unsigned char, 256>& LowerTable() const { return Lower_; }

 private:
  int Number_;
  std::array<char32_t, 256> ToUnicode_{};
  std::bitset<256> Defined_;
  std::vector<std::pair<char32_t, unsigned char>> FromUnicode_;  // sorted by code point
  std::array<unsigned char, 256> Upper_{};
  std::array<unsigned char, 256> Lower_{};
};

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t codePoint);
// Decodes one UTF-8 sequence at `pos`, advancing it; malformed input yields U+FFFD and one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);
// Whether the text holds no byte that DecodeUtf8 finds malformed.
bool IsValidUtf8(std::string_view text);

}  // namespace mervanta
