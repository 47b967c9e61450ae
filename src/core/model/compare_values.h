#pragma once

#include <string_view>

namespace mervanta {

// The ordering of cell texts: empty texts first, then numbers by value, then the rest, where
// two dates (or else two times of day) in the locale's formats compare chronologically and
// anything else byte by byte. Byte-identical texts give 0. Numbers of equal value but
// different texts, and equal dates or times written differently, give -1 both ways, which
// the "<=" and ">=" search conditions rely on.
int CompareValues(std::string_view a, std::string_view b);

// CompareValues for sorting: values that are equal as numbers, dates or times but differ in
// their texts are ordered by their bytes, so the result is 0 only for identical texts and
// always has the opposite sign with the arguments swapped. It is a strict order (indeed a
// total one) on any set of texts whose non-empty non-numbers are all dates, or include no
// dates and are all times, or include neither dates nor times. Mixing dates or times with
// other texts can still form cycles (two dates in byte order against their chronological
// one, with a text between them), so a sort must stay safe under an inconsistent
// comparison: see SortSafely.
int CompareValuesForSort(std::string_view a, std::string_view b);

// How the repeating-records search compares two texts.
struct TTextEquality {
  // Two empty texts are never equal.
  bool IgnoreEmpty = false;
  // The case of A to Z only does not count.
  bool IgnoreCase = false;
};

// Equality of texts for the repeating-records search: whole texts compare byte for byte
// under the rules of `equality`.
bool TextEquals(std::string_view a, std::string_view b, TTextEquality equality);

}  // namespace mervanta
