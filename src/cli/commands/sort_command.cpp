#include "commands/sort_command.h"

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "framework/listing.h"
#include "framework/table_update.h"
#include "framework/usage_error.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr TOptionSpec kSortOptions[] = {
    {"by", "C", "sort by this column (repeat for further keys)"},
    {"desc", "", "sort in descending order"},
};
constexpr std::array<std::span<const TOptionSpec>, 1> kOptionLists{kSortOptions};

}  // namespace

std::string_view TSortCommand::Details() const {
  return "Values compare as the desktop program compares them: empty texts first, then numbers,\n"
         "then dates and times, then texts. Records equal in every key keep the order of the\n"
         "other columns. A table whose sorting is turned off is left as it is, with status 1.";
}

std::span<const std::span<const TOptionSpec>> TSortCommand::Options() const {
  return kOptionLists;
}

int TSortCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  const std::vector<std::string> names = arguments.Values("by");
  if (names.empty()) throw EUsageError("Give the columns to sort by with \"--by\"");
  TTableUpdate table(context, arguments.Word(0));
  if (table->Options().DenySort->Value()) {
    context.Err() << "Sorting is turned off for this table\n";
    return kExitNothing;
  }
  SortByColumns(context, table->Sources().All, names, RequestedDirection(arguments));
  table.Save();
  return kExitSuccess;
}

}  // namespace mervanta
