#include "framework/listing.h"

#include <string>

#include "framework/column_names.h"
#include "framework/record_printer.h"
#include "framework/usage_error.h"
#include "model/columns.h"
#include "model/records.h"

namespace mervanta {

namespace {

TRecordFormat ListingFormat(const TCliContext& context, const TArguments& arguments) {
  const std::string* format = arguments.Value("format");
  if (format == nullptr) {
    return context.Terminal().OutIsTerminal ? TRecordFormat::Table : TRecordFormat::Tsv;
  }
  if (*format == "table") return TRecordFormat::Table;
  if (*format == "csv") return TRecordFormat::Csv;
  if (*format == "tsv") return TRecordFormat::Tsv;
  throw EUsageError("Unknown format \"" + *format + "\"");
}

}  // namespace

std::vector<const TColumn*> ListedColumns(const TCliContext& context, const TColumns& columns,
                                          const std::string* names) {
  std::vector<const TColumn*> listed;
  if (names != nullptr) {
    for (TColumn* column : NamedColumns(context, columns, *names)) listed.push_back(column);
    return listed;
  }
  for (const auto& column : columns) {
    if (column->Visible->Value()) listed.push_back(column.get());
  }
  if (listed.empty()) {
    for (const auto& column : columns) listed.push_back(column.get());
  }
  return listed;
}

TSortDirection RequestedDirection(const TArguments& arguments) {
  return arguments.Has("desc") ? TSortDirection::Descending : TSortDirection::Ascending;
}

void SortByColumns(const TCliContext& context, TRecords& list,
                   const std::vector<std::string>& names, TSortDirection direction) {
  std::vector<TColumn*> keys;
  for (const std::string& name : names) keys.push_back(&NamedColumn(context, list.Columns(), name));
  list.SortBy(keys, direction);
}

void SortListing(const TCliContext& context, const TArguments& arguments, TRecords& list) {
  const std::vector<std::string> names = arguments.Values("sort");
  if (names.empty()) {
    if (arguments.Has("desc")) throw EUsageError("The option \"--desc\" needs \"--sort\"");
    return;
  }
  SortByColumns(context, list, names, RequestedDirection(arguments));
}

void PrintListing(const TCliContext& context, const TArguments& arguments,
                  std::span<TRecord* const> records, std::vector<const TColumn*> columns) {
  TRecordPrinter printer(context, std::move(columns), ListingFormat(context, arguments),
                         arguments.Has("header"));
  printer.Print(records);
}

}  // namespace mervanta
