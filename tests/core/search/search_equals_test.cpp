// The repeating-records search against the pairwise walk it replaces.
#include "search/search_equals.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/model/records_fixture.h"
#include "model/compare_values.h"
#include "search/repeat_finder.h"
#include "test_support/pinned_locale.h"

namespace mervanta::test {
namespace {

struct TFlags {
  bool AnyField = false;
  bool IgnoreCase = false;
  bool IgnoreEmpty = true;
  bool KeepOriginals = false;
};

// The filter as first written: walking down the list, a record stays when an earlier one
// repeats it, or with KeepOriginals when one after it (of those still there) does; every pair
// is compared.
std::vector<int> PairwiseKept(const std::vector<TRow>& rows, const std::vector<int>& columns,
                              const TFlags& flags) {
  const auto repeats = [&](int a, int b) {
    for (int column : columns) {
      const std::size_t c = static_cast<std::size_t>(column);
      const bool equal =
          TextEquals(rows[static_cast<std::size_t>(a)][c], rows[static_cast<std::size_t>(b)][c],
                     {.IgnoreEmpty = flags.IgnoreEmpty, .IgnoreCase = flags.IgnoreCase});
      if (equal == flags.AnyField) return flags.AnyField;
    }
    return !flags.AnyField;
  };
  std::vector<int> list(rows.size());
  for (std::size_t i = 0; i < list.size(); ++i) list[i] = static_cast<int>(i);
  for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
    const int record = list[static_cast<std::size_t>(i)];
    bool kept = false;
    for (int j = 0; j < i && !kept; ++j) kept = repeats(list[static_cast<std::size_t>(j)], record);
    for (std::size_t j = static_cast<std::size_t>(i) + 1;
         flags.KeepOriginals && j < list.size() && !kept; ++j) {
      kept = repeats(record, list[j]);
    }
    if (!kept) list.erase(list.begin() + i);
  }
  return list;
}

class SearchEqualsTest : public testing::Test, public TRecordsFixture {
 public:
  SearchEqualsTest() : TRecordsFixture(3) {}

  void SetRows(const std::vector<TRow>& rows) {
    Other.Clear();
    All.FreeAll();
    for (const TRow& row : rows) All.Add(Make(row));
  }
  // The positions in All of the records that the search keeps.
  std::vector<int> Kept(const std::vector<int>& columns, const TFlags& flags) {
    TSearchEquals search(All);
    for (int column : columns) search.AddColumn(Columns[column]);
    search.SetAnyField(flags.AnyField);
    search.SetIgnoreCase(flags.IgnoreCase);
    search.SetIgnoreEmpty(flags.IgnoreEmpty);
    search.SetKeepOriginals(flags.KeepOriginals);
    Other.Assign(All);
    search.Filter(Other);
    std::vector<int> kept;
    for (const TRecord* record : Other.Items()) kept.push_back(All.IndexOf(*record));
    return kept;
  }
};

TEST_F(SearchEqualsTest, StartsIgnoringEmptyValuesAndHighlightsNothing) {
  SetRows({{"a"}});
  const TSearchEquals search(All);
  EXPECT_TRUE(search.IgnoreEmpty());
  EXPECT_FALSE(search.AnyField() || search.IgnoreCase() || search.KeepOriginals());
  EXPECT_TRUE(search.Columns().empty());
  TMatchSpan span;
  EXPECT_FALSE(search.LocateMatch(Columns[0], All.Item(0), span));
}

TEST_F(SearchEqualsTest, KeepsRecurrencesAndOptionallyTheirOriginals) {
  struct TCase {
    const char* Name;
    std::vector<TRow> Rows;
    std::vector<int> Columns;
    TFlags Flags;
    std::vector<int> WithOriginals;
    std::vector<int> OnlyRecurrences;
  } cases[] = {
      {"A B A A", {{"A"}, {"B"}, {"A"}, {"A"}}, {0}, {}, {0, 2, 3}, {2, 3}},
      {"empty cells ignored", {{""}, {""}, {"x"}}, {0}, {}, {}, {}},
      {"empty cells equal", {{""}, {""}, {"x"}}, {0}, {.IgnoreEmpty = false}, {0, 1}, {1}},
      {"an empty cell in a row", {{"a", ""}, {"a", ""}}, {0, 1}, {}, {}, {}},
      {"a row of empty cells", {{"", ""}, {"", ""}}, {0, 1}, {.IgnoreEmpty = false}, {0, 1}, {1}},
      {"case", {{"abc"}, {"ABC"}}, {0}, {}, {}, {}},
      {"A to Z fold", {{"abc"}, {"ABC"}}, {0}, {.IgnoreCase = true}, {0, 1}, {1}},
      {"accents do not fold", {{"\xE9t\xE9"}, {"\xC9T\xC9"}}, {0}, {.IgnoreCase = true}, {}, {}},
      {"every column", {{"a", "1"}, {"b", "1"}, {"b", "2"}, {"b", "2"}}, {0, 1}, {}, {2, 3}, {3}},
      {"one column will do",
       {{"a", "1"}, {"b", "1"}, {"b", "2"}, {"c", "3"}},
       {0, 1},
       {.AnyField = true},
       {0, 1, 2},
       {1, 2}},
      {"no columns: all alike", {{"a"}, {"b"}, {"c"}}, {}, {}, {0, 1, 2}, {1, 2}},
      {"no columns: none alike", {{"a"}, {"a"}}, {}, {.AnyField = true}, {}, {}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Name);
    SetRows(c.Rows);
    TFlags flags = c.Flags;
    flags.KeepOriginals = true;
    EXPECT_EQ(Kept(c.Columns, flags), c.WithOriginals);
    flags.KeepOriginals = false;
    EXPECT_EQ(Kept(c.Columns, flags), c.OnlyRecurrences);
  }
}

TEST_F(SearchEqualsTest, ComputedCellsRepeatAsTheyShow) {
  AddColumn("Upper", TColumnStorage::Virtual).Formula->SetValue("UpperCase(#1)");
  SetRows({{"abc", "1"}, {"x", "2"}, {"ABC", "3"}, {"Abc", "4"}});
  EXPECT_EQ(Kept({3}, {.KeepOriginals = true}), (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(Kept({3, 1}, {.AnyField = true}), (std::vector<int>{2, 3}));
}

TEST_F(SearchEqualsTest, CyrillicLettersNeverFold) {
  TLocaleSettings cyrillic = PinnedLocaleSettings();
  cyrillic.AnsiCodePage = 1251;
  cyrillic.OemCodePage = 866;
  const TScopedLocale locale(cyrillic);
  // "мир", "МИР", "мир", "Mир" (a Latin M).
  SetRows({{"\xEC\xE8\xF0"}, {"\xCC\xC8\xD0"}, {"\xEC\xE8\xF0"}, {"M\xE8\xF0"}, {"m\xE8\xF0"}});
  EXPECT_EQ(Kept({0}, {.IgnoreCase = true, .KeepOriginals = true}), (std::vector<int>{0, 2, 3, 4}));
}

TEST_F(SearchEqualsTest, CellsWhoseKeysCollideAreToldApart) {
  std::unordered_map<std::uint32_t, std::string> seen;
  std::string first, second;
  for (int i = 0; second.empty() && i < 1000000; ++i) {
    std::string cell = "cell" + std::to_string(i);
    const auto [at, added] = seen.emplace(TRepeatFinder::CellKey(cell, false), cell);
    if (!added) {
      first = at->second;
      second = cell;
    }
  }
  ASSERT_FALSE(second.empty());
  SetRows({{first}, {second}, {first}, {second}, {second}});
  EXPECT_EQ(Kept({0}, {.KeepOriginals = false}), (std::vector<int>{2, 3, 4}));
  EXPECT_EQ(Kept({0}, {.AnyField = true, .KeepOriginals = true}),
            (std::vector<int>{0, 1, 2, 3, 4}));
}

TEST_F(SearchEqualsTest, GivesThePairwiseResultOnRandomTables) {
  const std::vector<std::string> cells = {"",   "a", "A",   "b",    "ab",   "aB",
                                          "AB", "1", "a b", "\xE9", "\xC9", "x"};
  std::mt19937 random(20240517);
  const auto below = [&](std::size_t bound) { return static_cast<std::size_t>(random() % bound); };
  for (int table = 0; table < 300; ++table) {
    // Few distinct cells per table, so that repeats are common.
    const std::size_t variety = 2 + below(cells.size() - 1);
    std::vector<TRow> rows(below(40));
    for (TRow& row : rows) {
      for (int c = 0; c < 3; ++c) row.push_back(cells[below(variety)]);
    }
    SetRows(rows);
    std::vector<int> columns = {0, 1, 2};
    std::shuffle(columns.begin(), columns.end(), random);
    columns.resize(below(4));
    for (int bits = 0; bits < 16; ++bits) {
      const TFlags flags{(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
      SCOPED_TRACE("table " + std::to_string(table) + " flags " + std::to_string(bits));
      ASSERT_EQ(Kept(columns, flags), PairwiseKept(rows, columns, flags));
    }
  }
}

}  // namespace
}  // namespace mervanta::test
