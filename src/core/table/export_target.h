#pragma once

#include <string>

#include "exchange/records_exporter.h"

namespace mervanta {

class TTable;

// Refuses a target that would replace one of the table's own files: the file itself, or the
// description file a CSV export writes beside it. Throws EMervantaError naming the file.
void CheckExportTarget(const TTable& table, const std::string& fileName, TExportFormat format);

}  // namespace mervanta
