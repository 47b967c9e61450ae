#include "commands/column_command.h"

#include <memory>
#include <string>

#include "framework/argument_text.h"
#include "framework/column_names.h"
#include "framework/property_text.h"
#include "framework/table_update.h"
#include "framework/usage_error.h"
#include "support/errors.h"
#include "table/table.h"

namespace mervanta {

namespace {

// Each action with the number of words it takes, the table and the action included.
struct TAction {
  std::string_view Name;
  std::size_t Words;
};
constexpr TAction kActions[] = {
    {"add", 3}, {"add-virtual", 4}, {"delete", 3}, {"move", 4}, {"set", 5},
};

void CheckAction(const TArguments& arguments) {
  arguments.ExpectWords(2, 5);
  for (const TAction& action : kActions) {
    if (action.Name == arguments.Word(1)) {
      arguments.ExpectWords(action.Words, action.Words);
      return;
    }
  }
  throw EUsageError("Unknown action \"" + arguments.Word(1) + "\"");
}

void AddColumn(const TCliContext& context, TColumns& columns, const std::string& name,
               const std::string* formula) {
  const TColumnStorage storage =
      formula != nullptr ? TColumnStorage::Virtual : TColumnStorage::Stored;
  auto column = std::make_unique<TColumn>(storage);
  const std::string caption = context.Text().Input(name);
  column->Caption->SetValue(caption.empty() ? columns.NewCaption(storage) : caption);
  if (formula != nullptr) column->Formula->SetValue(context.Text().Input(*formula));
  columns.Add(std::move(column));
}

void DeleteColumn(TColumns& columns, TColumn& column) {
  if (!column.IsVirtual() && columns.StoredCount() == 1) {
    throw EMervantaError("Table must contain at least one nonvirtual column");
  }
  columns.Remove(column);
}

}  // namespace

std::string_view TColumnCommand::Details() const {
  return "add appends a stored column, add-virtual a computed one; an empty NAME gets a new\n"
         "caption. INDEX is the new position from 1. PROPERTY is named as in the description\n"
         "file (Caption, Width, Type, Default, Editor, UniqueValues, FilledValues, Formula, ...)\n"
         "and VALUE written as stored there: Y or N, a number, a choice by its number or its\n"
         "name, or a text. Deleting a stored column loses its values.";
}

int TColumnCommand::Run(TCliContext& context, const TArguments& arguments) const {
  CheckAction(arguments);
  const std::string& action = arguments.Word(1);
  TTableUpdate table(context, arguments.Word(0));
  TColumns& columns = table->Columns();
  if (action == "add" || action == "add-virtual") {
    AddColumn(context, columns, arguments.Word(2), action == "add" ? nullptr : &arguments.Word(3));
  } else {
    TColumn& column = NamedColumn(context, columns, arguments.Word(2));
    if (action == "delete") {
      DeleteColumn(columns, column);
    } else if (action == "move") {
      columns.Move(column, IntegerArgument(arguments.Word(3), "position", 1, columns.Count()) - 1);
    } else {
      SetPropertyText(NamedProperty(column.Properties(), arguments.Word(3)),
                      context.Text().Input(arguments.Word(4)));
    }
  }
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
