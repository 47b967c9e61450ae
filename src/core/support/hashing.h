#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

namespace mervanta {

// The hashing behind the open-addressing tables that find equal records, repeated cells and
// a list's records: fast over short texts, not meant to withstand chosen input.

inline constexpr std::uint64_t kHashMultiplier = 0x9E3779B97F4A7C15ull;

// Heap blocks lie at least 16 bytes apart, so an address's low bits carry nothing; the high
// half of the product is spread over all its bits.
inline std::uint64_t HashAddress(const void* address) {
  return (reinterpret_cast<std::uintptr_t>(address) >> 4) * kHashMultiplier >> 32;
}

inline std::uint64_t MixWord(std::uint64_t hash, std::uint64_t word) {
  return std::rotl((hash ^ word) * kHashMultiplier, 23);
}

// Spreads every bit over the whole hash, the low bits that pick a slot included.
inline std::uint64_t FinishHash(std::uint64_t hash) {
  hash ^= hash >> 32;
  hash *= 0xFF51AFD7ED558CCDull;
  return hash ^ (hash >> 29);
}

template <class TWord>
TWord LoadWord(const char* bytes) {
  TWord word;
  std::memcpy(&word, bytes, sizeof word);
  return word;
}

// Leaves a word as it is; MixText's default.
struct TSameWord {
  std::uint64_t operator()(std::uint64_t word) const { return word; }
};

// Adds a text with its length, eight bytes at a time, each word passed through `fold`, which
// must map bytes to bytes without regard to their place in the word (texts equal after the
// fold hash equally). The last bytes are read as whole words overlapping those before them:
// building a word byte by byte would stall every field on the store.
template <class TFold = TSameWord>
std::uint64_t MixText(std::uint64_t hash, std::string_view text, TFold fold = {}) {
  const char* bytes = text.data();
  const std::size_t length = text.size();
  hash = MixWord(hash, length);
  if (length >= 8) {
    const char* const last = bytes + length - 8;
    for (; bytes < last; bytes += 8) hash = MixWord(hash, fold(LoadWord<std::uint64_t>(bytes)));
    return MixWord(hash, fold(LoadWord<std::uint64_t>(last)));
  }
  if (length >= 4) {
    return MixWord(hash, fold(LoadWord<std::uint32_t>(bytes) |
                              std::uint64_t{LoadWord<std::uint32_t>(bytes + length - 4)} << 32));
  }
  if (length > 0) {
    const auto byte = [bytes](std::size_t at) {
      return std::uint64_t{static_cast<unsigned char>(bytes[at])};
    };
    return MixWord(hash, fold(byte(0) | byte(length / 2) << 8 | byte(length - 1) << 16));
  }
  return hash;
}

// A long run of bytes in two interleaved lanes, whose multiplications overlap.
inline std::uint64_t HashBytes(std::string_view bytes) {
  if (bytes.size() < 16) return MixText(0, bytes);
  const char* at = bytes.data();
  std::uint64_t even = bytes.size();
  std::uint64_t odd = kHashMultiplier;
  const char* const last = at + bytes.size() - 16;
  for (; at < last; at += 16) {
    even = MixWord(even, LoadWord<std::uint64_t>(at));
    odd = MixWord(odd, LoadWord<std::uint64_t>(at + 8));
  }
  return MixWord(MixWord(even, LoadWord<std::uint64_t>(last)),
                 MixWord(odd, LoadWord<std::uint64_t>(last + 8)));
}

// Up to 32 bytes with all their words multiplied at once, for a hash taken very often.
inline std::uint64_t HashShortBytes(std::string_view bytes) {
  if (bytes.size() < 16) return FinishHash(MixText(0, bytes));
  // The halves of a full product folded together: every bit of both words reaches the result.
  const auto foldedProduct = [](std::uint64_t a, std::uint64_t b) {
    const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
  };
  const char* const first = bytes.data();
  const char* const last = first + bytes.size() - 16;
  return foldedProduct(LoadWord<std::uint64_t>(first) ^ 0xA0761D6478BD642Full,
                       LoadWord<std::uint64_t>(first + 8) ^ 0xE7037ED1A0B428DBull) ^
         foldedProduct(LoadWord<std::uint64_t>(last) ^ 0x8EBC6AF09C88C6E3ull,
                       LoadWord<std::uint64_t>(last + 8) ^ 0x589965CC75374CC3ull) ^
         bytes.size();
}

}  // namespace mervanta
