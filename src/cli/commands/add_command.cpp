#include "commands/add_command.h"

#include <cstdint>
#include <ostream>
#include <vector>

#include "framework/table_update.h"
#include "model/new_record.h"
#include "model/record_validation.h"
#include "support/errors.h"
#include "table/table.h"

namespace mervanta {

namespace {

// The fields a user fills in the card: counters number themselves.
std::vector<const TColumn*> FilledColumns(const TColumns& columns) {
  std::vector<const TColumn*> filled;
  for (const auto& column : columns) {
    if (!column->IsVirtual() && !column->IsCounter()) filled.push_back(column.get());
  }
  return filled;
}

}  // namespace

std::string_view TAddCommand::Details() const {
  return "The VALUEs fill the stored columns that are not counters, in column order. Columns\n"
         "left without a value take their default, with its date and time macros expanded;\n"
         "counters take the next number. Values are trimmed unless the table keeps blanks.\n"
         "The table's options and the columns' rules apply as in the card: a refused record\n"
         "leaves the table as it was, prints the card's message and exits with status 1.";
}

int TAddCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, SIZE_MAX);
  TTableUpdate table(context, arguments.Word(0));
  TNewRecord record(table->Sources().All, table->Options());
  record.LoadDefaults();
  const std::vector<const TColumn*> columns = FilledColumns(table->Columns());
  const std::size_t given = arguments.Words().size() - 1;
  if (given > columns.size()) {
    throw EMervantaError("The table has " + std::to_string(columns.size()) +
                         " columns to fill, not " + std::to_string(given));
  }
  for (std::size_t i = 0; i < given; ++i) {
    record.SetValue(*columns[i], context.Text().Input(arguments.Word(i + 1)));
  }
  try {
    record.Add();
  } catch (const ERecordRefused& refused) {
    context.Err() << context.Text().Message(refused.what()) << '\n';
    return kExitNothing;
  }
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
