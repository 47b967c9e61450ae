// Computes a virtual column over a million generated records and compares it with reading the
// cells it is built from into a string, both measured in the same run. Reports the ratio and
// the heap allocations per computed record.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <new>
#include <string>
#include <string_view>

#include "formula/formula_calculator.h"
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

const std::vector<TGeneratedRecord>& Records() {
  static const std::vector<TGeneratedRecord> records = GenerateRecords(kRecords);
  return records;
}

// Answers "#N" with the stored cell, as the table does for a stored column.
class TRecordResolver : public TFoLinkResolver {
 public:
  bool ResolveLink(std::int32_t column, const void* context, std::string&,
                   std::string_view& text) override {
    if (column < 1 || column > kGeneratedColumns) return false;
    text = (*static_cast<const TGeneratedRecord*>(context))[static_cast<std::size_t>(column - 1)];
    return true;
  }
};

using TClock = std::chrono::steady_clock;

void VirtualColumn(benchmark::State& state) {
  const std::vector<TGeneratedRecord>& records = Records();
  TFormulaCalculator calculator;
  calculator.SetFormula(kFormula);
  TRecordResolver resolver;
  std::string text;
  std::string result;
  TClock::duration baseline{}, formula{};
  std::uint64_t allocations = 0;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    for (const TGeneratedRecord& record : records) {
      text.assign(record[4]);
      text += record[0];
      text += record[1];
      benchmark::DoNotOptimize(text.data());
    }
    const TClock::time_point middle = TClock::now();
    const std::uint64_t before = Allocations.load(std::memory_order_relaxed);
    for (const TGeneratedRecord& record : records) {
      calculator.Calculate(&record, result, resolver);
      benchmark::DoNotOptimize(result.data());
    }
    allocations += Allocations.load(std::memory_order_relaxed) - before;
    formula += TClock::now() - middle;
    baseline += middle - start;
  }
  const double computed = static_cast<double>(state.iterations()) * kRecords;
  state.counters["ratio"] = std::chrono::duration<double>(formula).count() /
                            std::chrono::duration<double>(baseline).count();
  state.counters["formula_ns_per_record"] =
      std::chrono::duration<double, std::nano>(formula).count() / computed;
  state.counters["baseline_ns_per_record"] =
      std::chrono::duration<double, std::nano>(baseline).count() / computed;
  state.counters["allocations_per_record"] = static_cast<double>(allocations) / computed;
}

BENCHMARK(VirtualColumn)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
