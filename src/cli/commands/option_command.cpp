#include "commands/option_command.h"

#include "framework/property_text.h"
#include "framework/table_update.h"
#include "table/table.h"

namespace mervanta {

std::string_view TOptionCommand::Details() const {
  return "NAME as in the description file: AllowEmpty (allow empty records), NoEquals (prevent\n"
         "duplicate records), InsertFirst (insert new records at the beginning), NoTrim (keep\n"
         "the blanks around values), DenySort (turn off sorting).";
}

int TOptionCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(3, 3);
  TTableUpdate table(context, arguments.Word(0));
  SetPropertyText(NamedProperty(table->Options(), arguments.Word(1)),
                  context.Text().Input(arguments.Word(2)));
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
