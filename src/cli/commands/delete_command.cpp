#include "commands/delete_command.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "framework/argument_text.h"
#include "framework/table_update.h"
#include "table/record_deletion.h"
#include "table/table.h"

namespace mervanta {

std::string_view TDeleteCommand::Details() const {
  return "An INDEX is a record's position in the table's order, from 1, as \"show\" lists the\n"
         "records without --sort. All positions refer to the table before the deletion, in\n"
         "any order; one out of range deletes nothing.";
}

int TDeleteCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(2, SIZE_MAX);
  TTableUpdate table(context, arguments.Word(0));
  TRecords& all = table->Sources().All;
  // Every position is read before the first record goes.
  std::vector<TRecord*> records;
  for (std::size_t i = 1; i < arguments.Words().size(); ++i) {
    const int index = IntegerArgument(arguments.Word(i), "record index", 1, all.Count());
    records.push_back(&all.Item(index - 1));
  }
  std::ranges::sort(records);
  const auto repeated = std::ranges::unique(records);
  records.erase(repeated.begin(), repeated.end());
  DeleteRecords(*table, records);
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
