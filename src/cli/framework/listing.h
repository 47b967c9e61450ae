#pragma once

#include <span>
#include <string>
#include <vector>

#include "framework/arguments.h"
#include "framework/cli_context.h"
#include "model/records.h"

namespace mervanta {

class TColumn;
class TColumns;
class TRecord;

// The options of the commands that print records: their order and their form.
inline constexpr TOptionSpec kListingOptions[] = {
    {"sort", "C", "sort by this column (repeat for further keys)"},
    {"desc", "", "sort in descending order"},
    {"format", "table|csv|tsv",
     "table: aligned (default on a terminal); tsv: tab-separated (default otherwise); csv: "
     "data-file lines"},
    {"header", "", "a first line of column captions"},
};

// The columns named in the comma list `names`, or without one those the desktop program
// shows (every column when it shows none).
std::vector<const TColumn*> ListedColumns(const TCliContext& context, const TColumns& columns,
                                          const std::string* names);
// Sorts the list by the table's own sort: by the named columns, the first one the primary
// key, ascending or descending; a column named again adds nothing.
void SortByColumns(const TCliContext& context, TRecords& list,
                   const std::vector<std::string>& names, TSortDirection direction);
// Descending with --desc, ascending otherwise.
TSortDirection RequestedDirection(const TArguments& arguments);
// Sorts the list by the table's own sort as --sort and --desc ask; nothing without --sort.
void SortListing(const TCliContext& context, const TArguments& arguments, TRecords& list);
// Prints the records as --format and --header ask.
void PrintListing(const TCliContext& context, const TArguments& arguments,
                  std::span<TRecord* const> records, std::vector<const TColumn*> columns);

}  // namespace mervanta
