// The records list over a million generated records, each figure against a baseline measured
// in the same run: loading the data file against reading it into memory, saving against
// writing as many bytes, sorting by the amount and the notes columns against std::sort of
// those columns' values, and a sort by three keys against three successive sorts. Before the
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

// The generated table's data file, written once.
const std::string& DataFile() {
  static const TScratchFile file;
  static const bool written = [] {
    const std::string text = GenerateDataFile(kRecords);
    std::ofstream(file.Path(), std::ios::binary)
        .write(text.data(), static_cast<std::streamsize>(text.size()));
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
      auto column = std::make_unique<TColumn>(false);
      column->Caption->SetValue(caption);
      Columns.Add(std::move(column));
    }
  }
  void Load() { All.LoadText(ReadWholeFile(DataFile()), 0); }

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

void LoadText(benchmark::State& state) {
  const std::string& path = DataFile();
  const std::size_t size = FileSize(path);
  TClock::duration baseline{}, loading{};
  for (auto _ : state) {
    const TClock::time_point start = TClock::now();
    ReadIntoMemory(path, size);
    const TClock::time_point middle = TClock::now();
    auto table = std::make_unique<TLoadedTable>();
    table->Load();
    loading += TClock::now() - middle;
    baseline += middle - start;
    if (table->All.Count() != static_cast<int>(kRecords)) state.SkipWithError("records lost");
  }
  state.counters["speed_vs_read"] = Seconds(baseline) / Seconds(loading);
  state.counters["read_ms"] = 1000 * Seconds(baseline) / static_cast<double>(state.iterations());
  state.counters["load_ms"] = 1000 * Seconds(loading) / static_cast<double>(state.iterations());
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
    table.All.Sort(table.Columns[column], false);
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
    table.All.Sort(*keys[0], false);
    for (std::size_t i = 1; i < keys.size(); ++i) table.All.Sort(*keys[i], true);
    const TClock::time_point middle = TClock::now();
    const std::vector<TRecord*> clicked(table.All.Items().begin(), table.All.Items().end());
    table.All.Assign(fileOrder);
    const TClock::time_point again = TClock::now();
    table.All.SortBy(keys, false);
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

BENCHMARK(LoadText)->Unit(benchmark::kMillisecond)->Iterations(5);
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
