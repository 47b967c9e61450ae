#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace mervanta::bench {

constexpr int kGeneratedColumns = 8;
using TGeneratedRecord = std::array<std::string, kGeneratedColumns>;

// Captions of the generated columns: name, city, street, phone, amount, date, notes, e-mail.
const std::array<const char*, kGeneratedColumns>& GeneratedCaptions();

// Record `index` of the endless deterministic table; the same index gives the same record on
// every machine and in every run.
TGeneratedRecord GenerateRecord(std::uint64_t index);

// The first `count` records.
std::vector<TGeneratedRecord> GenerateRecords(std::uint64_t count);

// The records as a data file: one line per record ending in CR LF, fields joined by the
// separator and quoted when they hold a quote, the separator or a line break, or begin or end
// with a blank.
std::string GenerateDataFile(std::uint64_t count, char separator = ';');

}  // namespace mervanta::bench
