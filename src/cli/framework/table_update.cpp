#include "framework/table_update.h"

#include "framework/table_files.h"
#include "table/table.h"

namespace mervanta {

TTableUpdate::TTableUpdate(const TCliContext& context, const std::string& fileName)
    : Table_(OpenTable(context, fileName, TTableAccess::Write)) {}

void TTableUpdate::Save() {
  if (Table_->Modified()) Table_->Save();
}

}  // namespace mervanta
