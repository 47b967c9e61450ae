#include "framework/listing.h"

#include <string>

#include "framework/column_names.h"
#include "framework/record_printer.h"
#include "framework/usage_error.h"
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

void SortListing(const TCliContext& context, const TArguments& arguments, TRecords& list) {
  const std::vector<std::string> names = arguments.Values("sort");
  if (names.empty()) {
    if (arguments.Has("desc")) throw EUsageError("The option \"--desc\" needs \"--sort\"");
    return;
  }
  std::vector<TColumn*> keys;
  for (const std::string& name : names) keys.push_back(&NamedColumn(context, list.Columns(), name));
  list.Sort(*keys.front(), false);
  for (std::size_t i = 1; i < keys.size(); ++i) list.Sort(*keys[i], true);
  // Sorting by the primary key once more reverses the whole order, as a second click on the
  // heading does.
  if (arguments.Has("desc")) list.Sort(*keys.front(), false);
}

void PrintListing(const TCliContext& context, const TArguments& arguments,
                  std::span<TRecord* const> records, std::vector<const TColumn*> columns) {
  TRecordPrinter printer(context, std::move(columns), ListingFormat(context, arguments),
                         arguments.Has("header"));
  printer.Print(records);
}

}  // namespace mervanta
