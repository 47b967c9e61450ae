#include "framework/table_update.h"

#include "framework/table_files.h"
#include "settings/options.h"
#include "table/table.h"

namespace mervanta {

TTableUpdate::TTableUpdate(const TCliContext& context, const std::string& fileName)
    : Table_(OpenTable(context, fileName, TTableAccess::Write)) {}

TTableUpdate::~TTableUpdate() {
  // A closing table writes its view state into the description; a saved one has written it
  // already, and an unsaved one must leave the file alone.
  Options().Other->SaveSelection->SetValue(false);
}

void TTableUpdate::Save() {
  if (Table_->Modified()) Table_->Save();
}

}  // namespace mervanta
