#include "commands/show_command.h"

#include <array>

#include "framework/listing.h"
#include "framework/table_files.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr TOptionSpec kShowOptions[] = {
    {"columns", "C,...", "these columns, in this order (default: the visible ones)"},
};
constexpr std::array<std::span<const TOptionSpec>, 2> kOptionLists{kShowOptions, kListingOptions};

}  // namespace

std::string_view TShowCommand::Details() const {
  return "Computed columns are computed. A column is named by its caption (the case of A to Z\n"
         "ignored) or as #N, its position from 1. --sort sorts as the desktop program's list\n"
         "heading does; the table's files are never changed.";
}

std::span<const std::span<const TOptionSpec>> TShowCommand::Options() const {
  return kOptionLists;
}

int TShowCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  const auto table = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  std::vector<const TColumn*> columns =
      ListedColumns(context, table->Columns(), arguments.Value("columns"));
  TRecords& all = table->Sources().All;
  SortListing(context, arguments, all);
  PrintListing(context, arguments, all.Items(), std::move(columns));
  return kExitSuccess;
}

}  // namespace mervanta
