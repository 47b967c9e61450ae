#pragma once

#include "report/table_facts.h"
#include "support/string_list.h"

namespace mervanta {

class TSources;

// The read-only texts of the table properties dialog. Each call appends its lines to the
// caller's list; nothing is kept between calls.
class TTableInfo {
 public:
  // "Label: value" lines on the table's name, file, size, last update, record count,
  // password and status.
  static void Summary(const TTableFacts& table, TStringList& lines);
  // For each list of the table that has records: its caption, then one line per column
  // with the numbers, dates and the "+", "-" and empty cells found in it.
  static void ColumnStatistics(const TSources& sources, TStringList& lines);
  // The lines of the table's description file when it exists. Raises EMervantaError when it
  // exists but cannot be read.
  static void DescriptionText(const TTableFacts& table, TStringList& lines);
};

}  // namespace mervanta
