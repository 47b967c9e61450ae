#include "table/export_target.h"

#include <vector>

#include "settings/options.h"
#include "support/errors.h"
#include "support/file_names.h"
#include "table/table.h"

namespace mervanta {

void CheckExportTarget(const TTable& table, const std::string& fileName, TExportFormat format) {
  std::vector<std::string> written{fileName};
  if (format == TExportFormat::Csv && Options().Export->MakeKX->Value()) {
    written.push_back(DescriptionFileName(fileName));
  }
  for (const std::string& file : written) {
    if (SameFile(file, table.FileName()) || SameFile(file, table.DescriptionFileName())) {
      throw EMervantaError("Cannot export over the table's own file \"" + file + "\"");
    }
  }
}

}  // namespace mervanta
