// The binary spreadsheet: a stream of little-endian records, a beginning, one record per
// cell and an end, which spreadsheet programs open as a single worksheet.
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "exchange/export_writers.h"
#include "model/column.h"
#include "model/records.h"
#include "model/value_reader.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/numbers.h"
#include "support/progress.h"

namespace mervanta {

namespace {

constexpr std::uint16_t kBeginningOfFile = 0x0809;
constexpr std::uint16_t kTextCell = 0x0204;
constexpr std::uint16_t kNumberCell = 0x0203;
constexpr std::uint16_t kEndOfFile = 0x000A;
constexpr std::uint16_t kWorksheet = 0x0010;

// A record's length is 16 bits, of which a text cell's own fields take 8.
constexpr std::size_t kMaxCellText = 0xFFFF - 8;
// Rows are numbered in 16 bits.
constexpr long kMaxRows = 0x10000;

class TBiffWriter {
 public:
  explicit TBiffWriter(TFileWriter& out) : Out_(out) {}

  void Header(std::uint16_t type, std::size_t length) {
    Word(type);
    Word(static_cast<std::uint16_t>(length));
  }
  void Word(std::uint16_t value) {
    Out_.Write(static_cast<char>(value & 0xFF));
    Out_.Write(static_cast<char>(value >> 8));
  }

  void BeginningOfFile() {
    Header(kBeginningOfFile, 8);
    Word(0);  // version
    Word(kWorksheet);
    Word(0);  // build
    Word(0);  // year
  }

  // Texts too long for a record are cut to what fits: the cell keeps as much of its text as
  // the format can hold, and the file stays readable.
  void TextCell(int row, int column, std::string_view text) {
    text = text.substr(0, kMaxCellText);
    Header(kTextCell, 8 + text.size());
    CellPosition(row, column);
    Word(static_cast<std::uint16_t>(text.size()));
    Out_.Write(text);
  }

  void NumberCell(int row, int column, double value) {
    Header(kNumberCell, 14);
    CellPosition(row, column);
    const auto bits = std::bit_cast<std::uint64_t>(value);
    for (int shift = 0; shift < 64; shift += 8) Out_.Write(static_cast<char>(bits >> shift));
  }

  // A number cell for a text that reads as a number the cell can hold, else a text cell.
  void Cell(int row, int column, std::string_view text) {
    TNumber number = 0;
    if (TryReadNumber(text, number) && std::isfinite(static_cast<double>(number))) {
      NumberCell(row, column, static_cast<double>(number));
    } else {
      TextCell(row, column, text);
    }
  }

  void EndOfFile() { Header(kEndOfFile, 0); }

 private:
  void CellPosition(int row, int column) {
    Word(static_cast<std::uint16_t>(row));
    Word(static_cast<std::uint16_t>(column));
    Word(0);  // format index
  }

  TFileWriter& Out_;
};

}  // namespace

void WriteBiff(const TExportJob& job, TFileWriter& out, bool header) {
  const int firstRow = header ? 1 : 0;
  // Rows past the last one would wrap around and overwrite the first ones.
  if (firstRow + static_cast<long>(job.Source.Count()) > kMaxRows) {
    throw EMervantaError("Too many records for the Excel format (" +
                         std::to_string(kMaxRows - firstRow) + " max)");
  }
  TBiffWriter biff(out);
  biff.BeginningOfFile();
  if (header) {
    for (std::size_t c = 0; c < job.Columns.size(); ++c) {
      biff.TextCell(0, static_cast<int>(c), job.Columns[c]->Caption->Value());
    }
  }
  TValueReader values(job.Columns);
  int row = firstRow;
  for (const TRecord* record : job.Source.Items()) {
    values.ForEachValue(*record, [&](std::size_t c, std::string_view value) {
      biff.Cell(row, static_cast<int>(c), value);
    });
    ++row;
    TProgress::Step();
  }
  biff.EndOfFile();
}

}  // namespace mervanta
