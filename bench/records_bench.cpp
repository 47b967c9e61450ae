// The records list over a million generated records, each figure against a baseline measured
// in the same run: loading the data file against reading it into memory, loading a ragged data
// file (one line in a thousand with a field more) against the clean one, saving against writing
// as many bytes, sorting by the amount and the notes columns against std::sort of those
// columns' values, and a sort by three keys against three successive sorts. Before the
// benchmarks, the memory that loading takes is measured against the file's size (peak while
// loading, resident afterwards).
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <malloc.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "support/file_io.h"
#include "table_generator.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;
constexpr int kCityColumn = 1;
constexpr int kStreetColumn = 2;
constexpr int kAmountColumn = 4;
constexpr int kNotesColumn = 6;

using TClock = std::chrono::steady_clock;

double Seconds(TClock::duration duration) {
  return std::chrono::duration<double>(duration).count();
}

// A scratch file in $TMPDIR, removed at the end.
class TScratchFile {
 public:
  TScratchFile() {
    const char* folder = std::getenv("TMPDIR");
    Path_ = std::string(folder != nullptr && *folder != '\0' ? folder : "/tmp") + "/mervantaXXXXXX";
    const int fd = ::mkstemp(Path_.data());
    if (fd < 0) std::abort();
    ::close(fd);
  }
  ~TScratchFile() { ::unlink(Path_.c_str()); }
  const std::string& Path() const { return Path_; }

 private:
  std::string Path_;
};

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
}

// The generated table's data file, written once.
const std::string& DataFile() {
  static const TScratchFile file;
  static const bool written = (WriteFile(file.Path(), GenerateDataFile(kRecords)), true);
  (void)written;
  return file.Path();
}

// The same with one line in a thousand given a field more, so that the configured separator
// does not fit every line and the other separators are tried.
const std::string& RaggedDataFile() {
  static const TScratchFile file;
  static const bool written = [] {
    std::string text = GenerateDataFile(kRecords);
    std::string ragged;
    ragged.reserve(text.size() + kRecords / 100);
    std::size_t line = 0;
    for (std::size_t start = 0; start < text.size(); ++line) {
      const std::size_t end = text.find("\r\n", start);
      ragged.append(text, start, end - start);
      if (line % 1000 == 999) ragged += ";extra";
      ragged += "\r\n";
      start = end + 2;
    }
    WriteFile(file.Path(), ragged);
    return true;
  }();
  (void)written;
  return file.Path();
}

std::size_t FileSize(const std::string& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return static_cast<std::size_t>(info.st_size);
}

// The generated table's columns with its records loaded.
struct TLoadedTable {
  TLoadedTable() {
    for (const char* caption : GeneratedCaptions()) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue(caption);
      Columns.Add(std::move(column));
    }
  }
  void Load(const std::string& path = DataFile()) {
    TDataText text(path);
    All.LoadText(text, 0);
  }

  TColumns Columns;
  TRecords All{Columns};
};

// What read() into one buffer costs, the baseline of loading.
void ReadIntoMemory(const std::string& path, std::size_t size) {
  const int fd = ::open(path.c_str(), O_RDONLY);
  std::unique_ptr<char[]> buffer = std::make_unique_for_overwrite<char[]>(size);
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(fd, buffer.get() + done, size - done);
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  ::close(fd);
  benchmark::DoNotOptimize(buffer.get());
}

// The middle of the times taken: a page fault storm or another program on the machine
// slows one run down, not the figure.
double MedianMs(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return ms.empty() ? 0 : ms[ms.size() / 2];
}

double Ms(TClock::duration duration) {
  return 1000 * Seconds(duration);
}

void LoadText(benchmark::State& state) {
  const std::string& path = DataFile();
  const std::size_t size = FileSize(path);
  std::vector<double> read, loading;
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    ReadIntoMemory(path, size);
    read.push_back(Ms(TClock::now() - start));
    TLoadedTable table;
    const TClock::time_point loadStart = TClock::now();
    table.Load();
    loading.push_back(Ms(TClock::now() - loadStart));
    if (table.All.Count() != static_cast<int>(kRecords)) state.SkipWithError("records lost");
  }
  state.counters["speed_vs_read"] = MedianMs(read) / MedianMs(loading);
  state.counters["read_ms"] = MedianMs(read);
  state.counters["load_ms"] = MedianMs(loading);
}

// Loading the ragged file, in which the separator trials find no better separator, against
// the clean one.
void LoadRaggedText(benchmark::State& state) {
  std::vector<double> clean, ragged;
  const auto timed = [](std::vector<double>& times, auto load) {
    TLoadedTable table;
    const TClock::time_point start = TClock::now();
    load(table);
    times.push_back(Ms(TClock::now() - start));
  };
  for (auto _ : state) {
    timed(clean, [](TLoadedTable& table) { table.Load(); });
    timed(ragged, [](TLoadedTable& table) { table.Load(RaggedDataFile()); });
  }
  state.counters["time_vs_clean"] = MedianMs(ragged) / MedianMs(clean);
  state.counters["ragged_ms"] = MedianMs(ragged);
}

void WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n <= 0) std::abort();
    done += static_cast<std::size_t>(n);
  }
}

void SaveText(benchmark::State& state) {
  TLoadedTable table;
  table.Load();
  const std::string bytes = ReadWholeFile(DataFile());
  const TScratchFile target;
  TClock::duration baseline{}, saving{};
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    int fd = ::open(target.Path().c_str(), O_WRONLY | O_TRUNC);
    WriteAll(fd, bytes);
    ::close(fd);
    const TClock::time_point middle = TClock::now();
    fd = ::open(target.Path().c_str(), O_WRONLY | O_TRUNC);
    {
      TFileWriter out(fd, target.Path());
      table.All.SaveText(out);
      out.Flush();
    }
    ::close(fd);
    saving += TClock::now() - middle;
    baseline += middle - start;
  }
  if (FileSize(target.Path()) != bytes.size()) state.SkipWithError("saved text differs");
  state.counters["speed_vs_write"] = Seconds(baseline) / Seconds(saving);
  state.counters["write_ms"] = 1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["save_ms"] = 1000 * Seconds(saving) / static_cast<double>(state.iterations());
}

// Sorts the loaded records by a column from their file order, against std::sort of the
// column's values made from the same cells.
template <class TValue>
void Sort(benchmark::State& state, int column, TValue (*valueOf)(std::string_view)) {
  TLoadedTable table;
  table.Load();
  TRecords fileOrder(table.Columns, &table.All);
  fileOrder.AddList(table.All);
  std::vector<TValue> values;
  values.reserve(kRecords);
  for (const TRecord* record : table.All.Items())
    values.push_back(valueOf(record->Fields().Field(column)));
  TClock::duration baseline{}, sorting{};
  for (auto _ : state) {
    std::vector<TValue> unsorted = values;
    table.All.Assign(fileOrder);
    const TClock::time_point start = TClock::now();
    std::sort(unsorted.begin(), unsorted.end());
    const TClock::time_point middle = TClock::now();
    table.All.Sort(table.Columns[column], TSortKey::Only);
    sorting += TClock::now() - middle;
    baseline += middle - start;
    benchmark::DoNotOptimize(unsorted.data());
  }
  state.counters["time_vs_std_sort"] = Seconds(sorting) / Seconds(baseline);
  state.counters["std_sort_ms"] =
      1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["sort_ms"] = 1000 * Seconds(sorting) / static_cast<double>(state.iterations());
}

double NumberOf(std::string_view text) {
  return std::strtod(std::string(text).c_str(), nullptr);
}
std::string TextOf(std::string_view text) {
  return std::string(text);
}

void SortByAmount(benchmark::State& state) {
  Sort(state, kAmountColumn, NumberOf);
}
void SortByNotes(benchmark::State& state) {
  Sort(state, kNotesColumn, TextOf);
}

// A sort by three keys in one sort, against the three sorts that clicks on the headings make
// (the first key, then each further one added), both from the file's order.
void SortByThreeKeys(benchmark::State& state) {
  TLoadedTable table;
  table.Load();
  TRecords fileOrder(table.Columns, &table.All);
  fileOrder.AddList(table.All);
  const std::vector<TColumn*> keys{&table.Columns[kCityColumn], &table.Columns[kStreetColumn],
                                   &table.Columns[kAmountColumn]};
  TClock::duration baseline{}, sorting{};
  bool sameOrder = true;
  for (auto _ : state) {
    table.All.Assign(fileOrder);
    const TClock::time_point start = TClock::now();
    table.All.Sort(*keys[0], TSortKey::Only);
    for (std::size_t i = 1; i < keys.size(); ++i) table.All.Sort(*keys[i], TSortKey::Added);
    const TClock::time_point middle = TClock::now();
    const std::vector<TRecord*> clicked(table.All.Items().begin(), table.All.Items().end());
    table.All.Assign(fileOrder);
    const TClock::time_point again = TClock::now();
    table.All.SortBy(keys, TSortDirection::Ascending);
    sorting += TClock::now() - again;
    baseline += middle - start;
    sameOrder = sameOrder && std::ranges::equal(clicked, table.All.Items());
  }
  if (!sameOrder) state.SkipWithError("the orders differ");
  state.counters["time_vs_three_sorts"] = Seconds(sorting) / Seconds(baseline);
  state.counters["three_sorts_ms"] =
      1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["sort_by_ms"] = 1000 * Seconds(sorting) / static_cast<double>(state.iterations());
}

BENCHMARK(LoadText)->Unit(benchmark::kMillisecond)->Iterations(7);
BENCHMARK(LoadRaggedText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SaveText)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SortByAmount)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SortByNotes)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(SortByThreeKeys)->Unit(benchmark::kMillisecond)->Iterations(5);

// Kilobytes of a "VmRSS:"-style line of /proc/self/status.
long StatusKilobytes(const char* key) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(key, 0) == 0)
      return std::strtol(line.c_str() + std::string(key).size(), nullptr, 10);
  }
  return -1;
}

// Peak and resident memory of loading, from a baseline taken before; the peak is reset there
// so that it is the loading's own.
void MeasureLoadingMemory() {
  const std::string& path = DataFile();
  const double size = static_cast<double>(FileSize(path));
  ::malloc_trim(0);
  const bool peakReset = static_cast<bool>(std::ofstream("/proc/self/clear_refs") << "5");
  const long baseline = StatusKilobytes("VmRSS:");
  TLoadedTable table;
  table.Load();
  const long peak = StatusKilobytes("VmHWM:");
  const long resident = StatusKilobytes("VmRSS:");
  std::printf("loading memory: file %.1f MB, peak %.2f x the file%s, resident after %.2f x\n",
              size / 1e6, (peak - baseline) * 1024.0 / size,
              peakReset ? "" : " (peak since start: not reset)",
              (resident - baseline) * 1024.0 / size);
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  mervanta::bench::MeasureLoadingMemory();
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
