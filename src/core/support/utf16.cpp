#include "support/utf16.h"

#include <algorithm>

#include "support/locale.h"

namespace mervanta {

namespace {

constexpr std::size_t kSampleSize = 65536;

struct TZeroCounts {
  std::size_t Even = 0;
  std::size_t Odd = 0;
  std::size_t Pairs = 0;
};

TZeroCounts CountZeros(std::string_view bytes) {
  TZeroCounts counts;
  counts.Pairs = std::min(bytes.size(), kSampleSize) / 2;
  for (std::size_t i = 0; i < counts.Pairs * 2; i += 2) {
    if (bytes[i] == '\0') ++counts.Even;
    if (bytes[i + 1] == '\0') ++counts.Odd;
  }
  return counts;
}

bool HasLittleEndianMark(std::string_view b) {
  return b.size() >= 2 && b[0] == '\xFF' && b[1] == '\xFE';
}
bool HasBigEndianMark(std::string_view b) {
  return b.size() >= 2 && b[0] == '\xFE' && b[1] == '\xFF';
}

}  // namespace

bool IsUtf16Text(std::string_view bytes) {
  if (HasLittleEndianMark(bytes) || HasBigEndianMark(bytes)) return true;
  TZeroCounts zeros = CountZeros(bytes);
  if (zeros.Pairs == 0) return false;
  auto mostly = [&](std::size_t count) { return count * 2 > zeros.Pairs; };
  auto few = [&](std::size_t count) { return count * 10 < zeros.Pairs; };
  return (mostly(zeros.Odd) && few(zeros.Even)) || (mostly(zeros.Even) && few(zeros.Odd));
}

std::string Utf16ToAnsi(std::string_view bytes) {
  bool bigEndian;
  if (HasLittleEndianMark(bytes) || HasBigEndianMark(bytes)) {
    bigEndian = HasBigEndianMark(bytes);
    bytes.remove_prefix(2);
  } else {
    TZeroCounts zeros = CountZeros(bytes);
    bigEndian = zeros.Even > zeros.Odd;
  }
  auto unit = [&](std::size_t i) -> char32_t {
    auto hi = static_cast<unsigned char>(bytes[bigEndian ? i : i + 1]);
    auto lo = static_cast<unsigned char>(bytes[bigEndian ? i + 1 : i]);
    return static_cast<char32_t>((hi << 8) | lo);
  };
  const TCodePage& ansi = TLocale::Current().Ansi();
  std::string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    char32_t c = unit(i);
    if (c >= 0xD800 && c < 0xDC00 && i + 3 < bytes.size()) {
      char32_t low = unit(i + 2);
      if (low >= 0xDC00 && low < 0xE000) {
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        i += 2;
      }
    }
    unsigned char byte;
    out += ansi.FromUnicode(c, byte) ? static_cast<char>(byte) : '?';
  }
  return out;
}

}  // namespace mervanta
