#include "commands/new_command.h"

#include <cstddef>
#include <memory>
#include <string>

#include "framework/table_files.h"
#include "support/errors.h"
#include "support/file_names.h"
#include "table/table.h"

namespace mervanta {

namespace {

// As the save dialog does, a name without an extension gets ".csv".
std::string DataFileName(const std::string& name) {
  return FileExtension(name).empty() ? name + ".csv" : name;
}

}  // namespace

std::string_view TNewCommand::Details() const {
  return "TABLE is the data file; \".csv\" is added to a name without an extension, and the\n"
         "description file \".kx\" is written beside it. An existing file is never replaced.";
}

int TNewCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(2, SIZE_MAX);
  const std::string fileName = DataFileName(arguments.Word(0));
  for (const std::string& file : {fileName, DescriptionFileName(fileName)}) {
    if (FileOrFolderExists(file)) {
      throw EMervantaError("Cannot create the table: \"" + file + "\" already exists");
    }
  }
  TTable table;
  TColumns& columns = table.Columns();
  for (std::size_t i = 1; i < arguments.Words().size(); ++i) {
    auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
    const std::string caption = context.Text().Input(arguments.Word(i));
    column->Caption->SetValue(caption.empty() ? columns.NewCaption(TColumnStorage::Stored)
                                              : caption);
    columns.Add(std::move(column));
  }
  SaveTableAs(table, fileName);
  return kExitSuccess;
}

}  // namespace mervanta
