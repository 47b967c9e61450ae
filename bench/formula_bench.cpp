// Computes a virtual column over a million generated records and compares it with reading
// three of its cells into a string, both measured in the same run; once with the records as
// vectors of strings and once packed as the table keeps them. Reports the ratio and the heap
// allocations per computed record.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "formula/formula_calculator.h"
#include "model/record.h"
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

// The cells are read as text from each record; the baseline copies those of #5, #1 and #2.
std::string_view Cell(const TGeneratedRecord& record, int index) {
  return record[static_cast<std::size_t>(index)];
}
std::string_view Cell(const TRecord& record, int index) {
  return record.Fields().Field(index);
}

const std::vector<TGeneratedRecord>& StringRecords() {
  static const std::vector<TGeneratedRecord> records = GenerateRecords(kRecords);
  return records;
}

// The same records as a table holds them after loading the data file: each record's cells
// packed in one block.
const std::vector<TRecord>& PackedRecords() {
  static const std::vector<TRecord> records = [] {
    const std::string text = GenerateDataFile(kRecords);
    std::vector<TRecord> packed;
    packed.reserve(kRecords);
    for (std::size_t position = 0; position < text.size();) {
      packed.push_back(TRecord::FromCsv(text, position, ';'));
      while (position < text.size() && (text[position] == '\r' || text[position] == '\n')) {
        ++position;
      }
    }
    return packed;
  }();
  return records;
}

// Answers "#N" with the stored cell, as the table does for a stored column.
template <typename TRecordType>
class TCellResolver : public TFoLinkResolver {
 public:
  bool ResolveLink(std::int32_t column, const void* context, std::string&,
                   std::string_view& text) override {
    if (column < 1 || column > kGeneratedColumns) return false;
    text = Cell(*static_cast<const TRecordType*>(context), column - 1);
    return true;
  }
};

using TClock = std::chrono::steady_clock;

// Passes over the records alternate between the baseline and the formula, so that both see
// the same machine.
template <typename TRecordType>
void Measure(benchmark::State& state, const std::vector<TRecordType>& records) {
  TFormulaCalculator calculator;
  calculator.SetFormula(kFormula);
  TCellResolver<TRecordType> resolver;
  std::string text;
  std::string result;
  TClock::duration baseline{}, formula{};
  std::uint64_t allocations = 0;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    for (const TRecordType& record : records) {
      text.assign(Cell(record, 4));
      text += Cell(record, 0);
      text += Cell(record, 1);
      benchmark::DoNotOptimize(text.data());
    }
    const TClock::time_point middle = TClock::now();
    const std::uint64_t before = Allocations.load(std::memory_order_relaxed);
    for (const TRecordType& record : records) {
      calculator.Calculate(&record, result, resolver);
      benchmark::DoNotOptimize(result.data());
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

void VirtualColumnOverStrings(benchmark::State& state) {
  Measure(state, StringRecords());
}
void VirtualColumnOverPackedRecords(benchmark::State& state) {
  Measure(state, PackedRecords());
}

BENCHMARK(VirtualColumnOverStrings)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(VirtualColumnOverPackedRecords)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
