// The dBASE table: character fields as wide as their longest value, up to 254 bytes.
#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/file_io.h"
#include "support/progress.h"

namespace mervanta {

namespace {

constexpr int kMaxWidth = 254;
constexpr std::size_t kNameLength = 11;
constexpr std::size_t kBlockSize = 32;
constexpr char kHeaderEnd = 0x0D;
constexpr char kFileEnd = 0x1A;
constexpr std::uint8_t kDbaseVersion = 3;
constexpr std::uint8_t kAnsiLanguageDriver = 0x57;

using TBlock = std::array<char, kBlockSize>;

void PutWord(TBlock& block, std::size_t at, std::uint16_t value) {
  block[at] = static_cast<char>(value & 0xFF);
  block[at + 1] = static_cast<char>(value >> 8);
}

// The longest value of each column over all records, at most kMaxWidth.
std::vector<int> FieldWidths(const TExportJob& job) {
  std::vector<int> widths(job.Columns.size(), 0);
  std::size_t capped = 0;
  TValueReader values(job.Columns);
  for (const TRecord* record : job.Source.Items()) {
    if (capped == widths.size()) break;
    values.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      if (widths[c] == kMaxWidth) return;
      widths[c] = static_cast<int>(
          std::max<std::size_t>(widths[c], std::min<std::size_t>(value.size(), kMaxWidth)));
      if (widths[c] == kMaxWidth) ++capped;
    });
  }
  return widths;
}

bool IsNameCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool SameName(std::string_view a, std::string_view b) {
  auto upper = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
  return std::ranges::equal(a, b, {}, upper, upper);
}

// The first 11 bytes of each caption, other characters than letters, digits and "_" made
// "_". Field names are told apart regardless of case, so a name that would repeat an earlier
// one (or be empty) ends in the smallest number that sets it apart: readers that look fields
// up by name would otherwise lose one of the columns.
std::vector<std::string> FieldNames(std::span<const TColumn* const> columns) {
  std::vector<std::string> names;
  names.reserve(columns.size());
  for (const TColumn* column : columns) {
    std::string base = column->Caption->Value().substr(0, kNameLength);
    for (char& c : base) {
      if (!IsNameCharacter(c)) c = '_';
    }
    if (base.empty()) base = "FIELD";
    auto taken = [&names](std::string_view name) {
      return std::ranges::any_of(
          names, [name](const std::string& other) { return SameName(other, name); });
    };
    std::string name = base;
    for (int number = 1; taken(name); ++number) {
      const std::string suffix = std::to_string(number);
      name = base.substr(0, kNameLength - suffix.size()) + suffix;
    }
    names.push_back(std::move(name));
  }
  return names;
}

// Years above 100 lose their centuries: 2026 is 26, 2000 stays 100.
std::uint8_t HeaderYear(int year) {
  while (year > 100) year -= 100;
  return static_cast<std::uint8_t>(year);
}

void WriteHeader(TFileWriter& out, const TExportJob& job, const std::vector<int>& widths,
                 TDateTime date) {
  int year = 0, month = 0, day = 0;
  DecodeDate(date, year, month, day);
  int recordLength = 1;
  for (const int width : widths) recordLength += width;
  const auto count = static_cast<std::uint32_t>(job.Source.Count());

  TBlock header{};
  header[0] = static_cast<char>(kDbaseVersion);
  header[1] = static_cast<char>(HeaderYear(year));
  header[2] = static_cast<char>(month);
  header[3] = static_cast<char>(day);
  for (std::size_t i = 0; i < 4; ++i) header[4 + i] = static_cast<char>(count >> (8 * i));
  PutWord(header, 8, static_cast<std::uint16_t>(kBlockSize * (widths.size() + 1) + 1));
  PutWord(header, 10, static_cast<std::uint16_t>(recordLength));
  header[29] = static_cast<char>(kAnsiLanguageDriver);
  out.Write({header.data(), header.size()});

  const std::vector<std::string> names = FieldNames(job.Columns);
  for (std::size_t c = 0; c < widths.size(); ++c) {
    TBlock field{};
    std::copy(names[c].begin(), names[c].end(), field.begin());
    field[11] = 'C';
    field[16] = static_cast<char>(widths[c]);
    out.Write({field.data(), field.size()});
  }
  out.Write(kHeaderEnd);
}

}  // namespace

void WriteDbf(const TExportJob& job, TFileWriter& out, TDateTime date) {
  const std::vector<int> widths = FieldWidths(job);
  WriteHeader(out, job, widths, date);
  const std::string blanks(kMaxWidth, ' ');
  TValueReader values(job.Columns);
  for (const TRecord* record : job.Source.Items()) {
    out.Write(' ');  // not deleted
    values.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      const auto width = static_cast<std::size_t>(widths[c]);
      value = value.substr(0, width);
      out.Write(value);
      out.Write(std::string_view(blanks).substr(0, width - value.size()));
    });
    TProgress::Step();
  }
  out.Write(kFileEnd);
}

}  // namespace mervanta
