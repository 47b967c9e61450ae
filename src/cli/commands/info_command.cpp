#include "commands/info_command.h"

#include <cstdint>
#include <optional>
#include <ostream>

#include "framework/table_files.h"
#include "report/table_info.h"
#include "support/locked_file.h"
#include "table/table.h"

namespace mervanta {

namespace {

// The tool opens the table only for reading, so the report's status would always say so;
// what matters to the user is whether the table could be edited now.
std::string_view EditStatus(const TTable& table) {
  if (table.DataDamage() != TDataDamage::None) return "Read-only";
  TLockedFile probe;
  return probe.Acquire(table.FileName()) == TLockedFile::TStatus::Held ? "Editing" : "Read-only";
}

void WriteColumn(const TCliContext& context, const TColumn& column) {
  std::ostream& out = context.Out();
  out << column.Index() + 1 << '\t' << context.Text().Output(column.Caption->Value()) << '\t';
  if (column.IsVirtual()) {
    out << "virtual\t\t" << context.Text().Output(column.Formula->Value());
  } else {
    out << "stored\t" << column.Type->Items()[static_cast<std::size_t>(column.Type->Value())]
        << '\t';
  }
  out << '\n';
}

}  // namespace

std::string_view TInfoCommand::Details() const {
  return "The summary lines are \"Label: value\". Each column line holds, separated by tabs:\n"
         "its number, caption, \"stored\" or \"virtual\", type (stored columns) and formula\n"
         "(virtual columns). The status tells whether the table could be edited now: another\n"
         "program holding it, a write-protected file or a damaged data file make it\n"
         "\"Read-only\". When the data file's text ends at a zero byte, \"Text ends at\" gives\n"
         "its offset: the records are those before it.";
}

int TInfoCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  const auto table = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  TStringList lines;
  TTableInfo::Summary(table->Facts(), lines);
  const std::string_view status = EditStatus(*table);
  for (const std::string& line : lines) {
    if (line.starts_with("Status: ")) {
      context.Out() << "Status: " << status << '\n';
      if (const std::optional<std::uint64_t> end = table->TextEnd()) {
        context.Out() << "Text ends at: offset " << *end << " (a zero byte)\n";
      }
    } else {
      context.Out() << context.Text().Message(line) << '\n';
    }
  }
  context.Out() << '\n';
  for (const auto& column : table->Columns()) WriteColumn(context, *column);
  return kExitSuccess;
}

}  // namespace mervanta
