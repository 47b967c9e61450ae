#pragma once

#include <algorithm>
#include <cstddef>
#include <span>
#include <utility>
#include <vector>

namespace mervanta {

// A stable merge sort that relies on nothing but `less` answering yes or no: whatever it
// answers, even inconsistently, the sort makes O(n log n) calls, stays inside the range and
// leaves a permutation of the items. When `less` is a strict weak order the items end up
// sorted by it, equal ones in their former order. Record orderings built on CompareValues
// are not consistent for every mix of dates and texts, which std::sort must not be given.
template <class T, class TLess>
void SortSafely(std::span<T> items, TLess less) {
  constexpr std::size_t kRun = 16;
  const std::size_t count = items.size();
  for (std::size_t start = 0; start < count; start += kRun) {
    const std::size_t end = std::min(start + kRun, count);
    for (std::size_t i = start + 1; i < end; ++i) {
      T item = std::move(items[i]);
      std::size_t j = i;
      for (; j > start && less(item, items[j - 1]); --j) items[j] = std::move(items[j - 1]);
      items[j] = std::move(item);
    }
  }
  if (count <= kRun) return;

  std::vector<T> buffer(count);
  std::span<T> from = items;
  std::span<T> to = buffer;
  for (std::size_t width = kRun; width < count; width *= 2) {
    for (std::size_t left = 0; left < count; left += 2 * width) {
      const std::size_t middle = std::min(left + width, count);
      const std::size_t right = std::min(left + 2 * width, count);
      std::size_t a = left, b = middle, out = left;
      while (a < middle && b < right) {
        to[out++] = less(from[b], from[a]) ? std::move(from[b++]) : std::move(from[a++]);
      }
      out = std::move(from.begin() + a, from.begin() + middle, to.begin() + out) - to.begin();
      std::move(from.begin() + b, from.begin() + right, to.begin() + out);
    }
    std::swap(from, to);
  }
  if (from.data() != items.data()) std::move(from.begin(), from.end(), items.begin());
}

}  // namespace mervanta
