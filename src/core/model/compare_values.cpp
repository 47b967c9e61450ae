#include "model/compare_values.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "support/date_time.h"
#include "support/numbers.h"

namespace mervanta {

namespace {

// The difference of the first differing bytes, or of the lengths.
int CompareBytes(std::string_view a, std::string_view b) {
  const auto [left, right] = std::mismatch(a.begin(), a.end(), b.begin(), b.end());
  if (left != a.end() && right != b.end()) {
    return static_cast<unsigned char>(*left) - static_cast<unsigned char>(*right);
  }
  const auto difference = static_cast<long long>(a.size()) - static_cast<long long>(b.size());
  return static_cast<int>(std::clamp<long long>(difference, INT_MIN, INT_MAX));
}

// Whether values that read as equal are ordered by their bytes.
enum class TTies : std::uint8_t { Kept, Broken };

template <class TValue>
int CompareOrdered(TValue a, TValue b, std::string_view textA, std::string_view textB, TTies ties) {
  if (a > b) return 1;
  if (ties == TTies::Broken && !(a < b)) return CompareBytes(textA, textB);
  return -1;
}

int Compare(std::string_view a, std::string_view b, TTies ties) {
  if (a == b) return 0;
  TNumber numberA, numberB;
  const bool isNumberA = TryReadNumber(a, numberA);
  const bool isNumberB = TryReadNumber(b, numberB);
  if (isNumberA && isNumberB) return CompareOrdered(numberA, numberB, a, b, ties);
  if (isNumberA) return b.empty() ? 1 : -1;
  if (isNumberB) return a.empty() ? -1 : 1;

  TDateTime timeA, timeB;
  if (TryStrToDate(a, timeA) && TryStrToDate(b, timeB)) {
    return CompareOrdered(timeA, timeB, a, b, ties);
  }
  if (TryStrToTime(a, timeA) && TryStrToTime(b, timeB)) {
    return CompareOrdered(timeA, timeB, a, b, ties);
  }
  return CompareBytes(a, b);
}

char FoldLatin(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

int CompareValues(std::string_view a, std::string_view b) {
  return Compare(a, b, TTies::Kept);
}

int CompareValuesForSort(std::string_view a, std::string_view b) {
  return Compare(a, b, TTies::Broken);
}

bool TextEquals(std::string_view a, std::string_view b, TTextEquality equality) {
  if (a.empty() && b.empty()) return !equality.IgnoreEmpty;
  if (!equality.IgnoreCase) return a == b;
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [](char x, char y) { return FoldLatin(x) == FoldLatin(y); });
}

}  // namespace mervanta
