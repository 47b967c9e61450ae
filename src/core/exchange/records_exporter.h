#pragma once

#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "support/date_time.h"

namespace mervanta {

class TColumn;
class TRecords;

// The export formats, by the index the export dialog stores.
enum class TExportFormat : int {
  Csv,
  Txt,
  Html,
  Excel,
  ExcelCom,
  Ini,
  Xml,
  WordCom,
  Dbf,
};
inline constexpr int kExportFormatCount = 9;

// What an HTML page is for and how it is laid out.
struct TExportPage {
  // One block per record, as the card shows it, instead of a table.
  bool CardLayout = false;
  // The print dialog's page: the columns chosen for printing and the print options.
  bool ForPrint = false;
  std::string Title;
};

// Writes the records of one list, in the list's order and restricted to the columns chosen
// for export (or for printing), into an external format; the print dialog prints the HTML
// page it makes. Cells are read as the views show them: computed columns give their results.
// Every file is streamed record by record into a temporary file that replaces the target
// only once it is complete, so a failed export leaves an existing file as it was.
class TRecordsExporter {
 public:
  // Relative file names in the cells (pictures) start from `tableFolder`, the folder of the
  // table's data file.
  TRecordsExporter(const TRecords& source, std::string tableFolder)
      : Source_(source), TableFolder_(std::move(tableFolder)) {}

  // The page shapes the HTML format only. The two office-suite formats belong to the desktop
  // program: here they raise EMervantaError.
  void Export(TExportFormat format, const std::string& fileName, const TExportPage& page = {});

  // The columns of the last export, in column order.
  std::span<const TColumn* const> SelectedColumns() const { return SelectedColumns_; }
  int ColumnCount() const { return static_cast<int>(SelectedColumns_.size()); }

  // The date that a dBASE header carries; today unless set.
  void SetDate(TDateTime date) { Date_ = date; }

  // "CSV (;)" with the separator of the export options, "TXT (Tab)", "HTML" and so on.
  static std::string FormatName(TExportFormat format);
  // The save dialog's filter, as "CSV (*.csv)|*.csv".
  static std::string FormatFilter(TExportFormat format);
  static std::string FormatExtension(TExportFormat format);
  // False only for the office-suite formats while they are told not to create files.
  static bool FormatNeedsFile(TExportFormat format);

 private:
  void SelectColumns(bool forPrint);
  void WriteFile(TExportFormat format, const std::string& fileName, const TExportPage& page) const;

  const TRecords& Source_;
  std::string TableFolder_;
  std::vector<const TColumn*> SelectedColumns_;
  std::optional<TDateTime> Date_;
};

}  // namespace mervanta
