#include "commands/export_command.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "exchange/records_exporter.h"
#include "framework/column_names.h"
#include "framework/table_files.h"
#include "framework/usage_error.h"
#include "settings/options.h"
#include "support/errors.h"
#include "table/export_target.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr TOptionSpec kExportOptions[] = {
    {"format", "F", "csv, txt, html, xls, ini, xml or dbf"},
    {"output", "FILE", "the file to write; an existing one is replaced"},
    {"print", "", "the print page (HTML) of the columns chosen for printing"},
    {"card", "", "an HTML page of cards, one per record"},
    {"columns", "C,...", "only these columns, in table order (default: those chosen before)"},
};
constexpr std::array<std::span<const TOptionSpec>, 1> kOptionLists{kExportOptions};

struct TFormatName {
  std::string_view Name;
  TExportFormat Format;
};
constexpr TFormatName kFormats[] = {
    {"csv", TExportFormat::Csv},   {"txt", TExportFormat::Txt}, {"html", TExportFormat::Html},
    {"xls", TExportFormat::Excel}, {"ini", TExportFormat::Ini}, {"xml", TExportFormat::Xml},
    {"dbf", TExportFormat::Dbf},
};

TExportFormat ChosenFormat(const TArguments& arguments) {
  const std::string* name = arguments.Value("format");
  if (name == nullptr) {
    // The print page has but one form.
    if (arguments.Has("print")) return TExportFormat::Html;
    throw EUsageError("The option \"--format\" is required");
  }
  for (const TFormatName& format : kFormats) {
    if (format.Name == *name) return format.Format;
  }
  throw EUsageError("Unknown format \"" + *name + "\"");
}

// The named columns become the ones chosen for this export, as the dialog's boxes do; the
// table is not saved, so the choice lasts for this run only.
void ChooseColumns(const TCliContext& context, TColumns& columns, const std::string& names,
                   bool forPrint) {
  const std::vector<TColumn*> chosen = NamedColumns(context, columns, names);
  columns.SetFlags(forPrint ? TColumnFlag::ToPrint : TColumnFlag::ToExport,
                   [&chosen](const TColumn& column) {
                     return std::ranges::find(chosen, &column) != chosen.end();
                   });
}

bool AnyChosen(const TColumns& columns, bool forPrint) {
  return std::ranges::any_of(columns, [forPrint](const auto& column) {
    return (forPrint ? column->ToPrint : column->ToExport)->Value();
  });
}

}  // namespace

std::string_view TExportCommand::Details() const {
  return "Without --columns the columns chosen for export (or, with --print, for printing) in\n"
         "the desktop program are written. The export options of the settings apply\n"
         "(separator, headers, the description file beside a CSV file). --print writes the\n"
         "HTML print page with the print options; --card lays an HTML page out as cards.\n"
         "The file is replaced only once it is complete.";
}

std::span<const std::span<const TOptionSpec>> TExportCommand::Options() const {
  return kOptionLists;
}

int TExportCommand::Run(TCliContext& context, const TArguments& arguments) const {
  arguments.ExpectWords(1, 1);
  const TExportFormat format = ChosenFormat(arguments);
  const bool forPrint = arguments.Has("print");
  const bool card = arguments.Has("card");
  if ((forPrint || card) && format != TExportFormat::Html) {
    throw EUsageError("The options \"--print\" and \"--card\" make HTML pages only");
  }
  const std::string* output = arguments.Value("output");
  if (output == nullptr) throw EUsageError("The option \"--output\" is required");

  const auto table = OpenTable(context, arguments.Word(0), TTableAccess::Read);
  CheckExportTarget(*table, *output, format);
  TColumns& columns = table->Columns();
  if (const std::string* names = arguments.Value("columns")) {
    ChooseColumns(context, columns, *names, forPrint);
  }
  if (!AnyChosen(columns, forPrint)) {
    throw EMervantaError(forPrint ? "No column is chosen for printing"
                                  : "No column is chosen for export");
  }
  const TRecords& all = table->Sources().All;
  if (all.Count() == 0) throw EMervantaError("The source is empty");
  const bool cardLayout = card || (forPrint && mervanta::Options().Print->CardMode->Value());
  TRecordsExporter(all, table->Folder())
      .Export(format, *output,
              {.CardLayout = cardLayout, .ForPrint = forPrint, .Title = table->DisplayName()});
  return kExitSuccess;
}

}  // namespace mervanta
