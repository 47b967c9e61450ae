// The search engines over a million generated records, each figure against a baseline measured
// in the same run: the quick search against strcasestr over the same cells' texts, the normal
// search against the quick search, and the repeating-records search over all eight columns
// against the quick search. Each iteration measures the baseline and the search one after the
// other; the counters are medians over the iterations.
#include <benchmark/benchmark.h>
#include <string.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "model/table_sources.h"
#include "search/fast_search.h"
#include "search/search_equals.h"
#include "search/usual_search.h"
#include "table_generator.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;
// Streets are numbered 1 to 250: this finds the numbers 7 and 70 to 79 of the two streets in
// ten named "... Street", 0.88 % of the records; no other cell holds the text.
constexpr const char* kQuickText = "street 7";
constexpr int kCityColumn = 1;
constexpr int kStreetColumn = 2;

// The generated table in a table's record sources, and its cells as C strings for the
// baseline.
struct TLoadedTable {
  TLoadedTable() {
    for (const char* caption : GeneratedCaptions()) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue(caption);
      Sources.Columns().Add(std::move(column));
    }
    const std::string bytes = GenerateDataFile(kRecords);
    TDataText text(bytes, "generated");
    Sources.All.LoadText(text, 0);
    for (const TRecord* record : Sources.All.Items()) {
      for (int c = 0; c < kGeneratedColumns; ++c) {
        Starts.push_back(Texts.size());
        Texts += record->Fields().Field(c);
        Texts += '\0';
      }
    }
  }

  // Records with the word in some cell, ignoring case, the way a C programmer would look.
  int CaseInsensitiveSearch(const char* word) const {
    int found = 0;
    for (std::size_t record = 0; record < Starts.size(); record += kGeneratedColumns) {
      for (int c = 0; c < kGeneratedColumns; ++c) {
        if (::strcasestr(Texts.data() + Starts[record + static_cast<std::size_t>(c)], word)) {
          ++found;
          break;
        }
      }
    }
    return found;
  }

  TTableSources Sources;
  std::string Texts;
  std::vector<std::size_t> Starts;
};

TLoadedTable& Table() {
  static TLoadedTable table;
  return table;
}

int QuickSearch() {
  TLoadedTable& table = Table();
  TFastSearch search(table.Sources.All, kQuickText);
  return search.Execute(table.Sources.SearchResults);
}

// Times the baseline and the search in turn in every iteration and reports both medians and
// the median of their ratio. With `sameCount` both must find as many records.
void Compare(benchmark::State& state, const char* baselineName,
             const std::function<int()>& baseline, const char* searchName,
             const std::function<int()>& search, bool sameCount = false) {
  std::vector<double> baselineTimes, searchTimes, ratios;
  int baselineFound = 0, found = 0;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    baselineFound = baseline();
    const TClock::time_point middle = TClock::now();
    found = search();
    const TClock::time_point end = TClock::now();
    baselineTimes.push_back(Milliseconds(middle - start));
    searchTimes.push_back(Milliseconds(end - middle));
    ratios.push_back(searchTimes.back() / baselineTimes.back());
  }
  if (sameCount && found != baselineFound) state.SkipWithError("the counts differ");
  state.counters[std::string(baselineName) + "_ms"] = Median(baselineTimes);
  state.counters[std::string(searchName) + "_ms"] = Median(searchTimes);
  state.counters["ratio"] = Median(ratios);
  state.counters["found_percent"] = 100.0 * found / static_cast<double>(kRecords);
}

void QuickSearchVsStrcasestr(benchmark::State& state) {
  Compare(
      state, "strcasestr", [] { return Table().CaseInsensitiveSearch(kQuickText); }, "quick",
      QuickSearch, true);
}

void NormalSearchVsQuickSearch(benchmark::State& state) {
  Compare(state, "quick", QuickSearch, "normal", [] {
    TLoadedTable& table = Table();
    TUsualValues values;
    values[kCityColumn] = "BERLIN";
    values[kStreetColumn] = "oak street";
    TUsualSearch search(table.Sources.All, values);
    return search.Execute(table.Sources.SearchResults);
  });
}

void RepeatsVsQuickSearch(benchmark::State& state) {
  const bool anyField = state.range(0) != 0;
  Compare(state, "quick", QuickSearch, "repeats", [anyField] {
    TLoadedTable& table = Table();
    TSearchEquals search(table.Sources.All);
    for (const auto& column : table.Sources.Columns()) search.AddColumn(*column);
    search.SetAnyField(anyField);
    search.SetKeepOriginals(true);
    return search.Execute(table.Sources.SearchResults);
  });
}

BENCHMARK(QuickSearchVsStrcasestr)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(NormalSearchVsQuickSearch)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(RepeatsVsQuickSearch)
    ->ArgName("AnyField")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(7);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
