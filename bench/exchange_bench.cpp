// Export and import over the generated table of a million records, each figure against a
// baseline measured in the same run: exporting delimited text and HTML against saving the
// table's data file (both replace their file atomically), and importing a file of 100 000
// records, half of them already in the table, with NoEquals on, against loading that file
// into a list of its own.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/import.h"
#include "exchange/records_exporter.h"
#include "model/data_text.h"
#include "support/atomic_file.h"
#include "support/file_io.h"
#include "table/table.h"
#include "table_generator.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;
constexpr std::uint64_t kImported = 100000;
// The imported file starts this many records before the table's end, so that half of it is
// already there.
constexpr std::uint64_t kOverlap = kImported / 2;

using TClock = std::chrono::steady_clock;

double Seconds(TClock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// A scratch folder in $TMPDIR holding the table and the files written from it.
class TScratchFolder {
 public:
  TScratchFolder() {
    const char* base = std::getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != '\0' ? base : "/tmp") + "/mervanta-bench-XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    Path_ = pattern;
  }
  ~TScratchFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Path_, ignored);
  }
  std::string File(std::string_view name) const { return Path_ + "/" + std::string(name); }

 private:
  std::string Path_;
};

void WriteFile(const std::string& path, std::string_view bytes) {
  std::ofstream(path, std::ios::binary)
      .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The table's data file holds the first kRecords generated records; the import file the
// kImported records from kOverlap before the table's end.
struct TFiles {
  TFiles() {
    const std::string text = GenerateDataFile(kRecords + kImported - kOverlap);
    std::size_t at = 0;
    std::size_t importStart = 0;
    for (std::uint64_t line = 0; line < kRecords; ++line) {
      if (line == kRecords - kOverlap) importStart = at;
      at = text.find("\r\n", at) + 2;
    }
    WriteFile(Table, std::string_view(text).substr(0, at));
    WriteFile(Import, std::string_view(text).substr(importStart));
  }

  TScratchFolder Folder;
  std::string Table = Folder.File("table.csv");
  std::string Import = Folder.File("import.csv");
};

TFiles& Files() {
  static TFiles files;
  return files;
}

// The generated table, opened once for all benchmarks.
TTable& Table() {
  static const std::unique_ptr<TTable> table = [] {
    auto opened = std::make_unique<TTable>();
    opened->Open(Files().Table, "", false);
    for (int i = 0; i < kGeneratedColumns; ++i) {
      opened->Columns()[i].Caption->SetValue(GeneratedCaptions()[static_cast<std::size_t>(i)]);
    }
    return opened;
  }();
  return *table;
}

void SaveDataFile(const std::string& path) {
  const TRecords& all = Table().Sources().All;
  ReplaceFileAtomically(path, [&all](TFileWriter& out) { all.SaveText(out); });
}

void ExportAgainstSave(benchmark::State& state, TExportFormat format) {
  TRecordsExporter exporter(Table().Sources().All, std::string());
  const std::string saved = Files().Folder.File("saved.csv");
  const std::string exported = Files().Folder.File("exported");
  TClock::duration baseline{}, exporting{};
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    SaveDataFile(saved);
    const TClock::time_point middle = TClock::now();
    exporter.Export(format, exported, {.Title = "table"});
    exporting += TClock::now() - middle;
    baseline += middle - start;
  }
  state.counters["time_vs_save"] = Seconds(exporting) / Seconds(baseline);
  state.counters["save_ms"] = 1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["export_ms"] = 1000 * Seconds(exporting) / static_cast<double>(state.iterations());
}

void ExportCsv(benchmark::State& state) {
  ExportAgainstSave(state, TExportFormat::Csv);
}
void ExportHtml(benchmark::State& state) {
  ExportAgainstSave(state, TExportFormat::Html);
}

// Takes the records an import appended off the end of "All" again.
void RemoveFrom(TRecords& all, int count) {
  TRecordsUpdate update(all);
  for (int i = all.Count() - 1; i >= count; --i) {
    TRecord& record = all.Item(i);
    all.Delete(i);
    all.FreeRecord(record);
  }
}

void ImportAgainstLoad(benchmark::State& state) {
  TTable& table = Table();
  table.Options().NoEquals->SetValue(true);
  TRecords& all = table.Sources().All;
  const int count = all.Count();
  const std::vector<std::string> files{Files().Import};
  TClock::duration baseline{}, importing{};
  int added = 0;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    auto loaded = std::make_unique<TRecords>(table.Columns());
    TDataText text(Files().Import);
    loaded->LoadText(text, 0);
    const TClock::time_point middle = TClock::now();
    added = ImportRecords(table.Sources(), table.Options(), files);
    importing += TClock::now() - middle;
    baseline += middle - start;
    loaded.reset();
    RemoveFrom(all, count);
  }
  if (added != static_cast<int>(kImported - kOverlap)) state.SkipWithError("wrong count added");
  state.counters["time_vs_load"] = Seconds(importing) / Seconds(baseline);
  state.counters["load_ms"] = 1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["import_ms"] = 1000 * Seconds(importing) / static_cast<double>(state.iterations());
}

BENCHMARK(ExportCsv)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
BENCHMARK(ExportHtml)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);
BENCHMARK(ImportAgainstLoad)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5);

}  // namespace
}  // namespace mervanta::bench

BENCHMARK_MAIN();
