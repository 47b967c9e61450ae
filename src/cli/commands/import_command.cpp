#include "commands/import_command.h"

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/import.h"
#include "framework/table_update.h"
#include "table/table.h"

namespace mervanta {

std::string_view TImportCommand::Details() const {
  return "Each FILE is read as a data file, its fields taken by position. The table's options\n"
         "apply: values are trimmed unless it keeps blanks, empty records are dropped unless\n"
         "it allows them, records equal to one of the table are dropped when it prevents\n"
         "duplicates, and the records go first when it inserts at the beginning. The number\n"
         "added is told on the error stream. When a file cannot be read the table is not\n"
         "changed at all.";
}

int TImportCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(2, SIZE_MAX);
  TTableUpdate table(context, arguments.Word(0));
  const std::vector<std::string> files(arguments.Words().begin() + 1, arguments.Words().end());
  ImportRecords(table->Sources(), table->Options(), files);
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
