#include "commands/stats_command.h"

#include <ostream>

#include "framework/table_files.h"
#include "report/table_info.h"
#include "table/table.h"

namespace mervanta {

int TStatsCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  const auto table = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  TStringList lines;
  TTableInfo::ColumnStatistics(table->Sources(), lines);
  for (const std::string& line : lines) context.Out() << context.Text().Output(line) << '\n';
  return kExitSuccess;
}

}  // namespace mervanta
