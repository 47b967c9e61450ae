// Wide tables: printing (mervanta-cli show, tab text) and the quick search of a 250-column
// table against a 10-column table with as many cells, each both the current way, which reads
// a record's cells in one walk, and the former way, which read every cell by TRecord::Value
// and so walked the record's fields from the start for each one. Each iteration measures all
// eight figures one after the other; the counters are medians over the iterations, and the
// ratios are those of the wide table's time to the narrow one's.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "framework/cli_context.h"
#include "framework/record_printer.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/match_condition.h"
#include "model/records.h"
#include "model/table_sources.h"
#include "search/fast_search.h"
#include "support/csv_field.h"
#include "table_generator.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kCells = 2500000;
constexpr int kNarrow = 10;
constexpr int kWide = 250;
// Found in no cell, so that every cell is searched.
constexpr const char* kMissingText = "no such text";

// Output that goes nowhere, as into `wc -l` but without the pipe.
class TNullBuffer : public std::streambuf {
 protected:
  std::streamsize xsputn(const char*, std::streamsize count) override { return count; }
  int_type overflow(int_type c) override { return c; }
};

// A table of `columns` stored columns holding kCells generated cells.
struct TGeneratedTable {
  explicit TGeneratedTable(int columns) {
    for (int c = 0; c < columns; ++c) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue("Column" + std::to_string(c + 1));
      Sources.Columns().Add(std::move(column));
    }
    const std::vector<TGeneratedRecord> pool = GenerateRecords(997);
    const std::uint64_t records = kCells / static_cast<std::uint64_t>(columns);
    std::string text;
    for (std::uint64_t r = 0; r < records; ++r) {
      for (int c = 0; c < columns; ++c) {
        if (c > 0) text += ';';
        const std::string& cell =
            pool[(r * 31 + static_cast<std::uint64_t>(c)) % pool.size()][c % kGeneratedColumns];
        PutCsvField(cell, CsvQuoting(cell, ';', false),
                    [&text](std::string_view piece) { text += piece; });
      }
      text += "\r\n";
    }
    TDataText data(text, "generated");
    Sources.All.LoadText(data, columns);
    for (const auto& column : Sources.Columns()) Columns.push_back(column.get());
  }

  TTableSources Sources;
  std::vector<const TColumn*> Columns;
};

TGeneratedTable& Table(int columns) {
  static TGeneratedTable narrow(kNarrow), wide(kWide);
  return columns == kNarrow ? narrow : wide;
}

TNullBuffer nullBuffer;
std::ostream nullStream(&nullBuffer);

void Print(TGeneratedTable& table) {
  const TCliContext context(nullStream, nullStream, {}, {});
  TRecordPrinter(context, table.Columns, TRecordFormat::Tsv, false)
      .Print(table.Sources.All.Items());
}

// The printer's former loop for tab text: each cell by Value, into blocks written out whole.
void PrintCellByCell(TGeneratedTable& table) {
  const TCliContext context(nullStream, nullStream, {}, {});
  std::string block, cell;
  for (const TRecord* record : table.Sources.All.Items()) {
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
      if (c > 0) block += '\t';
      context.Text().AppendOutput(block, record->Value(*table.Columns[c], cell),
                                  TCarriageReturns::Drop);
    }
    block += '\n';
    if (block.size() >= 1 << 16) {
      nullStream.write(block.data(), static_cast<std::streamsize>(block.size()));
      block.clear();
    }
  }
  nullStream.write(block.data(), static_cast<std::streamsize>(block.size()));
}

int Search(TGeneratedTable& table) {
  TFastSearch search(table.Sources.All, kMissingText);
  return search.Execute(table.Sources.SearchResults);
}

// The search's former filter: the quick search's conditions, each cell by Value.
int SearchCellByCell(TGeneratedTable& table) {
  std::vector<std::unique_ptr<TConditionMatcher>> matchers;
  for (std::size_t c = 0; c < table.Columns.size(); ++c) {
    matchers.push_back(std::make_unique<TConditionMatcher>(TConditionKind::Contain, kMissingText,
                                                           TCaseRule::Ignore, 0));
  }
  std::string cell;
  int found = 0;
  for (const TRecord* record : table.Sources.All.Items()) {
    for (std::size_t c = 0; c < table.Columns.size(); ++c) {
      if (matchers[c]->Matches(record->Value(*table.Columns[c], cell))) {
        ++found;
        break;
      }
    }
  }
  return found;
}

// Times the narrow and the wide table, the current way and the former way, in every
// iteration.
void Compare(benchmark::State& state, const char* name,
             const std::function<void(TGeneratedTable&)>& current,
             const std::function<void(TGeneratedTable&)>& former) {
  Table(kNarrow);
  Table(kWide);
  struct TFigure {
    const char* Name;
    const std::function<void(TGeneratedTable&)>* Run;
    std::vector<double> Narrow, Wide, Ratios;
  };
  std::array<TFigure, 2> figures{{{"", &current, {}, {}, {}}, {"former_", &former, {}, {}, {}}}};
  for (auto _ : state) {
    for (TFigure& figure : figures) {
      const TClock::time_point start = TClock::now();
      (*figure.Run)(Table(kNarrow));
      const TClock::time_point middle = TClock::now();
      (*figure.Run)(Table(kWide));
      const TClock::time_point end = TClock::now();
      figure.Narrow.push_back(Milliseconds(middle - start));
      figure.Wide.push_back(Milliseconds(end - middle));
      figure.Ratios.push_back(figure.Wide.back() / figure.Narrow.back());
    }
  }
  for (const TFigure& figure : figures) {
    const std::string prefix = std::string(figure.Name) + name;
    state.counters[prefix + "_10_ms"] = Median(figure.Narrow);
    state.counters[prefix + "_250_ms"] = Median(figure.Wide);
    state.counters[prefix + "_ratio"] = Median(figure.Ratios);
  }
}

void PrintWideAgainstNarrow(benchmark::State& state) {
  Compare(state, "print", Print, PrintCellByCell);
}

void SearchWideAgainstNarrow(benchmark::State& state) {
  Compare(
      state, "search", [](TGeneratedTable& table) { benchmark::DoNotOptimize(Search(table)); },
      [](TGeneratedTable& table) { benchmark::DoNotOptimize(SearchCellByCell(table)); });
}

BENCHMARK(PrintWideAgainstNarrow)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SearchWideAgainstNarrow)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
