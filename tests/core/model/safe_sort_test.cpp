#include "model/safe_sort.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "model/compare_values.h"

namespace mervanta {
namespace {

TEST(SortSafely, SortsStablyByAConsistentOrder) {
  std::mt19937 random(7);
  for (std::size_t count : {0, 1, 15, 16, 17, 33, 100, 1000}) {
    SCOPED_TRACE(count);
    std::vector<std::pair<int, std::size_t>> items;
    for (std::size_t i = 0; i < count; ++i) items.emplace_back(random() % 10, i);
    auto byKey = [](const auto& a, const auto& b) { return a.first < b.first; };
    std::vector<std::pair<int, std::size_t>> expected = items;
    std::stable_sort(expected.begin(), expected.end(), byKey);
    SortSafely(std::span(items), byKey);
    EXPECT_EQ(items, expected);
  }
}

TEST(SortSafely, SurvivesAnInconsistentOrder) {
  std::mt19937 random(11);
  std::vector<int> items(5000);
  for (std::size_t i = 0; i < items.size(); ++i) items[i] = static_cast<int>(i);
  std::size_t calls = 0;
  SortSafely(std::span(items), [&](int, int) { return ++calls, random() % 2 == 0; });
  EXPECT_LT(calls, 5000u * 14);
  std::sort(items.begin(), items.end());
  for (std::size_t i = 0; i < items.size(); ++i) ASSERT_EQ(items[i], static_cast<int>(i));
}

TEST(SortSafely, OrdersCellTextsTheWayTheyCompare) {
  std::vector<std::string> texts{"b",    "10",  "",           "2",         "a",
                                 "10.0", "1e1", "02.01.2020", "01.02.2020"};
  SortSafely(std::span(texts), [](const std::string& a, const std::string& b) {
    return CompareValuesForSort(a, b) < 0;
  });
  EXPECT_EQ(texts, (std::vector<std::string>{"", "2", "10", "10.0", "1e1", "02.01.2020",
                                             "01.02.2020", "a", "b"}));
}

}  // namespace
}  // namespace mervanta
