#pragma once

#include <span>
#include <string>
#include <string_view>

#include "support/date_time.h"
#include "support/font.h"

namespace mervanta {

class TColumn;
class TFileWriter;
class TRecords;

// What every format writer is given: the records in their order and the columns to write.
// Each writer advances the running progress by one step per record.
struct TExportJob {
  const TRecords& Source;
  std::span<const TColumn* const> Columns;
};

// Delimited text: an optional header line of captions, then one line per record. With
// `quote` a cell is put in double quotes when it must be to read back the same, or always
// with `quoteAll`; without it cells are written as they are, less their CR characters.
struct TDelimitedStyle {
  char Separator = ';';
  bool Header = false;
  bool Quote = true;
  bool QuoteAll = false;
};
void WriteDelimited(const TExportJob& job, TFileWriter& out, const TDelimitedStyle& style);

// The text less its CR characters: line breaks inside a cell keep their LF only.
void WriteWithoutCr(TFileWriter& out, std::string_view text);

// The description file that makes an exported delimited file a table: the columns' settings
// as a table's description file keeps them.
void WriteExportDescription(std::span<const TColumn* const> columns, const std::string& path);

struct THtmlPage {
  std::string Title;
  // Where the pictures' relative file names start: the table's folder.
  std::string Folder;
  TFont Font;
  bool CardLayout = false;
  bool ForPrint = false;
  bool Header = true;
  bool Grid = true;
  bool Pictures = false;
};
void WriteHtml(const TExportJob& job, TFileWriter& out, const THtmlPage& page);

// The binary spreadsheet: text cells, and number cells for the texts that read as numbers.
void WriteBiff(const TExportJob& job, TFileWriter& out, bool header);

void WriteIni(const TExportJob& job, TFileWriter& out);
void WriteXml(const TExportJob& job, TFileWriter& out);

// The dBASE table, with `date` in its header. The source is read twice: for the field widths
// first, then for the records.
void WriteDbf(const TExportJob& job, TFileWriter& out, TDateTime date);

}  // namespace mervanta
