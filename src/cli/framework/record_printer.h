#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "framework/cli_context.h"
#include "model/value_reader.h"

namespace mervanta {

class TColumn;

enum class TRecordFormat {
  // Columns aligned for people; line breaks become blanks and long cells are cut.
  Table,
  // The data file's line syntax with the separator and quoting of the options.
  Csv,
  // Cells separated by tabs, less their CR characters.
  Tsv,
};

// Prints records, one line each, with the cells of the chosen columns (computed ones
// computed). Delimited formats stream: nothing is allocated per record and the output goes
// out in large blocks.
class TRecordPrinter {
 public:
  TRecordPrinter(const TCliContext& context, std::vector<const TColumn*> columns,
                 TRecordFormat format, bool header);

  void Print(std::span<TRecord* const> records);

 private:
  void PrintDelimited(std::span<TRecord* const> records);
  void PrintTable(std::span<TRecord* const> records);
  void PutDelimited(std::string_view cell);
  // Room for `bytes` more bytes after the output so far.
  char* Room(std::size_t bytes);
  void Put(std::string_view bytes);
  void PutCellText(std::string_view cell, TCarriageReturns returns);
  // The cell as the table shows it, into Clean_.
  void CleanForTable(std::string_view cell);
  void PutTableCell(std::size_t column);
  // Table lines lose their trailing padding.
  void EndLine(std::string_view lineBreak);
  void Flush();

  const TCliContext& Context_;
  std::vector<const TColumn*> Columns_;
  TValueReader Values_;
  TRecordFormat Format_;
  bool Header_;
  char Separator_;
  bool QuoteAll_;
  std::vector<std::size_t> Widths_;
  std::string Clean_;
  // The output not yet written: Used_ bytes of it.
  std::string Buffer_;
  std::size_t Used_ = 0;
};

}  // namespace mervanta
