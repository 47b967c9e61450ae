#include "commands/eval_command.h"

#include <memory>
#include <ostream>

#include "framework/table_files.h"
#include "model/columns.h"
#include "table/table.h"

namespace mervanta {

namespace {

// The result on one line less its CR characters, as tab text has it.
void WriteResult(const TCliContext& context, std::string_view result, std::string& line) {
  line.clear();
  context.Text().AppendOutput(line, result, TCarriageReturns::Drop);
  line += '\n';
  context.Out() << line;
}

TColumn& AddFormulaColumn(TColumns& columns, const std::string& formula) {
  auto column = std::make_unique<TColumn>(TColumnStorage::Virtual);
  column->Formula->SetValue(formula);
  return columns.Add(std::move(column));
}

}  // namespace

std::string_view TEvalCommand::Details() const {
  return "The formula is appended to the table as a virtual column, which is not saved: #N\n"
         "names the N-th column. A fault shows as \"<error N>\", as in the table's cells. With\n"
         "\"-\" for TABLE the formula is computed once, for a record without columns.";
}

int TEvalCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(2, 2);
  const std::string formula = context.Text().Input(arguments.Word(1));
  std::string result;
  std::string line;
  if (arguments.Word(0) == "-") {
    TColumns columns;
    const TColumn& column = AddFormulaColumn(columns, formula);
    column.Calculate(TRecord(), result);
    WriteResult(context, result, line);
    return kExitSuccess;
  }
  const auto table = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  const TColumn& column = AddFormulaColumn(table->Columns(), formula);
  for (const TRecord* record : table->Sources().All.Items()) {
    WriteResult(context, record->Value(column, result), line);
  }
  return kExitSuccess;
}

}  // namespace mervanta
