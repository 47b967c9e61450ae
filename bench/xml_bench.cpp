// The document reader and writer on an element of 200,000 attributes (a 3 MB description
// file), against a baseline measured in the same run: the same attributes spread over 200,000
// elements of one attribute each, a shape whose cost has always grown with its size only.
// Reading a description file also drops its stale sessions: 200,000 of them against as many
// elements of another name, which are kept.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "support/xml_file.h"

namespace mervanta::bench {
namespace {

constexpr int kCount = 200000;

using TClock = std::chrono::steady_clock;

double Seconds(TClock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

std::string Attribute(int i) {
  return " Attribute" + std::to_string(i) + "=\"value " + std::to_string(i) + "\"";
}

std::string OneElementOfManyAttributes() {
  std::string text = "<Table>\r\n\t<Extra";
  for (int i = 0; i < kCount; ++i) text += Attribute(i);
  return text + " />\r\n</Table>\r\n";
}

std::string ManyElementsOfOneAttribute(const char* name) {
  std::string text = "<Table>\r\n";
  for (int i = 0; i < kCount; ++i) text += "\t<" + std::string(name) + Attribute(i) + " />\r\n";
  return text + "</Table>\r\n";
}

// Times `measured` and `baseline` alternately, each on a fresh document loaded from its text.
template <class TAction>
void Compare(benchmark::State& state, const std::string& measuredText,
             const std::string& baselineText, const char* ratioName, TAction action) {
  TClock::duration measured{}, baseline{};
  for (auto _ : state) {
    for (const bool isBaseline : {true, false}) {
      TXmlFile document;
      const TClock::time_point start = TClock::now();
      action(document, isBaseline ? baselineText : measuredText);
      (isBaseline ? baseline : measured) += TClock::now() - start;
    }
  }
  state.counters[ratioName] = Seconds(measured) / Seconds(baseline);
  state.counters["baseline_ms"] =
      1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["measured_ms"] =
      1000 * Seconds(measured) / static_cast<double>(state.iterations());
}

void LoadManyAttributes(benchmark::State& state) {
  Compare(state, OneElementOfManyAttributes(), ManyElementsOfOneAttribute("Extra"),
          "time_vs_elements", [](TXmlFile& document, const std::string& text) {
            document.LoadFromString(text);
            benchmark::DoNotOptimize(document.Root());
          });
}

void LoadAndSaveManyAttributes(benchmark::State& state) {
  Compare(state, OneElementOfManyAttributes(), ManyElementsOfOneAttribute("Extra"),
          "time_vs_elements", [](TXmlFile& document, const std::string& text) {
            document.LoadFromString(text);
            benchmark::DoNotOptimize(document.SaveToString());
          });
}

void DropStaleSessions(benchmark::State& state) {
  Compare(state, ManyElementsOfOneAttribute("LastSession"), ManyElementsOfOneAttribute("Extra"),
          "time_vs_keeping", [](TXmlFile& document, const std::string& text) {
            document.LoadFromString(text);
            document.Root()->DeleteChildren("LastSession");
            benchmark::DoNotOptimize(document.Root()->Count());
          });
}

BENCHMARK(LoadManyAttributes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(LoadAndSaveManyAttributes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(DropStaleSessions)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
