// The main window's import of delimited files into the open table.
#include "app/main_window.h"
#include "exchange/import.h"
#include "table/table.h"

namespace mervanta {

void TMainWindow::ImportFiles() {
  const QStringList chosen = Prompts_.OpenFiles();
  if (chosen.isEmpty()) return;
  std::vector<std::string> fileNames;
  for (const QString& name : chosen) fileNames.push_back(name.toStdString());
  Guarded([&] { ImportRecords(Table_->Sources(), Table_->Options(), fileNames); });
}

}  // namespace mervanta
