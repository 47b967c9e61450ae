#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <span>
#include <string>

#include "bench_timing.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "model/table_sources.h"
#include "table_generator.h"

namespace mervanta::bench {

inline void AddColumns(TSources& sources, std::span<const char* const> captions) {
  for (const char* caption : captions) {
    auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
    column->Caption->SetValue(caption);
    sources.Columns().Add(std::move(column));
  }
}

// The generated records loaded as opening their data file loads them.
struct TGeneratedTable {
  std::unique_ptr<TTableSources> Sources;
  // The median of three loads, each into a table of its own; the last one is kept.
  double LoadMilliseconds = 0;
};

// Writes the first `count` generated records as `path` and loads them.
inline TGeneratedTable LoadGeneratedTable(const std::string& path, std::uint64_t count) {
  const std::string text = GenerateDataFile(count);
  std::ofstream(path, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  TGeneratedTable table;
  table.LoadMilliseconds = MedianOf(3, [&] {
    table.Sources.reset();
    table.Sources = std::make_unique<TTableSources>();
    AddColumns(*table.Sources, GeneratedCaptions());
    TDataText data(path);
    table.Sources->All.LoadText(data, 0);
  });
  return table;
}

}  // namespace mervanta::bench
