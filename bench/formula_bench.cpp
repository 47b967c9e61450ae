// Computes a virtual column over a million generated records and compares it with reading
// three of its cells into a string, both measured in the same run. The table's own path is
// the figure that counts: the records loaded into a records list from the data file and the
// virtual column's cells asked of the records, so that "#N" goes through the column list.
// The bare calculator over records kept as vectors of strings is measured as well. Reports
// the ratio and the heap allocations per computed record.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "formula/formula_calculator.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "table_generator.h"

namespace {

std::atomic<std::uint64_t> Allocations{0};

}  // namespace

// Counts every allocation of the program. GCC takes the free below for the release of a
// pointer from the replaced new, which is exactly the pair this is.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  Allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}
void operator delete(void* memory) noexcept {
  std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}
#pragma GCC diagnostic pop

namespace mervanta::bench {
namespace {

constexpr std::string_view kFormula = "If(Val(#5)>500000;UpperCase(#1)+\" \"+#2;Copy(#7;1;10))";
constexpr std::uint64_t kRecords = 1000000;

// The generated table as it is after opening it: its stored columns, the records loaded
// from its data file, and the virtual column added to the column list.
struct TTable {
  TTable() {
    for (const char* caption : GeneratedCaptions()) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue(caption);
      Columns.Add(std::move(column));
    }
    const std::string bytes = GenerateDataFile(kRecords);
    TDataText text(bytes, "generated");
    All.LoadText(text, 0);
    auto column = std::make_unique<TColumn>(TColumnStorage::Virtual);
    column->Formula->SetValue(std::string(kFormula));
    Virtual = &Columns.Add(std::move(column));
  }

  TColumns Columns;
  TRecords All{Columns};
  const TColumn* Virtual = nullptr;
};

const TTable& Table() {
  static const TTable table;
  return table;
}

const std::vector<TGeneratedRecord>& StringRecords() {
  static const std::vector<TGeneratedRecord> records = GenerateRecords(kRecords);
  return records;
}

// Answers "#N" with the string of the record's cell.
class TStringResolver : public TFoLinkResolver {
 public:
  bool ResolveLink(std::int32_t column, const void* context, std::string&,
                   std::string_view& text) override {
    if (column < 1 || column > kGeneratedColumns) return false;
    text = (*static_cast<const TGeneratedRecord*>(context))[static_cast<std::size_t>(column - 1)];
    return true;
  }
};

using TClock = std::chrono::steady_clock;

// Passes over the records alternate between the baseline, which copies the cells of #5, #1
// and #2 into a string, and the formula, so that both see the same machine.
template <typename TRecordRange, typename TReadCells, typename TCompute>
void Measure(benchmark::State& state, const TRecordRange& records, TReadCells readCells,
             TCompute compute) {
  std::string text;
  std::string result;
  TClock::duration baseline{}, formula{};
  std::uint64_t allocations = 0;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    for (const auto& record : records) {
      readCells(record, text);
      benchmark::DoNotOptimize(text.data());
    }
    const TClock::time_point middle = TClock::now();
    const std::uint64_t before = Allocations.load(std::memory_order_relaxed);
    for (const auto& record : records) {
      benchmark::DoNotOptimize(compute(record, result).data());
    }
    allocations += Allocations.load(std::memory_order_relaxed) - before;
    formula += TClock::now() - middle;
    baseline += middle - start;
  }
  const double computed = static_cast<double>(state.iterations()) * records.size();
  state.counters["ratio"] = std::chrono::duration<double>(formula).count() /
                            std::chrono::duration<double>(baseline).count();
  state.counters["formula_ns_per_record"] =
      std::chrono::duration<double, std::nano>(formula).count() / computed;
  state.counters["baseline_ns_per_record"] =
      std::chrono::duration<double, std::nano>(baseline).count() / computed;
  state.counters["allocations_per_record"] = static_cast<double>(allocations) / computed;
}

void VirtualColumnInTable(benchmark::State& state) {
  const TTable& table = Table();
  Measure(
      state, table.All.Items(),
      [](const TRecord* record, std::string& text) {
        const TFieldArray& fields = record->Fields();
        text.assign(fields.Field(4));
        text += fields.Field(0);
        text += fields.Field(1);
      },
      [&table](const TRecord* record, std::string& result) {
        return record->Value(*table.Virtual, result);
      });
}

void VirtualColumnOverStrings(benchmark::State& state) {
  TFormulaCalculator calculator;
  calculator.SetFormula(kFormula);
  TStringResolver resolver;
  Measure(
      state, StringRecords(),
      [](const TGeneratedRecord& record, std::string& text) {
        text.assign(record[4]);
        text += record[0];
        text += record[1];
      },
      [&](const TGeneratedRecord& record, std::string& result) -> std::string_view {
        calculator.Calculate(&record, result, resolver);
        return result;
      });
}

BENCHMARK(VirtualColumnInTable)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(VirtualColumnOverStrings)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
