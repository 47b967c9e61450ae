// Writes the generated table and its exports for checking them with other programs:
// export_generated COUNT FOLDER
// FOLDER receives the data file table.csv (the generated records and a few with the texts
// that formats must take care of), table.xls and table.dbf exported from it.
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "exchange/records_exporter.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "support/atomic_file.h"
#include "table_generator.h"

namespace {

using mervanta::bench::TGeneratedRecord;

const TGeneratedRecord kSpecialRecords[] = {
    {"Zo\xEB M\xFCller",
     "K\xF8"
     "benhavn",
     "Stra\xDF"
     "e 1",
     "", "-2e3", "31.12.1999", "two\r\nlines and \"quotes\"", "zoe@example.com"},
    {" leading", "trailing ", "a;b", "+7", "1,5", "1.234,5", std::string(300, 'x'), ""},
    {"", "", "", "", "", "", "", ""},
};

}  // namespace

int main(int argc, char** argv) {
  using namespace mervanta;
  if (argc < 3) {
    std::cerr << "Usage: export_generated COUNT FOLDER\n";
    return 2;
  }
  try {
    const auto count = std::strtoull(argv[1], nullptr, 10);
    const std::string folder = argv[2];
    TColumns columns;
    for (const char* caption : bench::GeneratedCaptions()) {
      auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
      column->Caption->SetValue(caption);
      columns.Add(std::move(column));
    }
    TRecords all(columns);
    const std::string bytes = bench::GenerateDataFile(count);
    TDataText text(bytes, "generated");
    all.LoadText(text, bench::kGeneratedColumns);
    for (const TGeneratedRecord& special : kSpecialRecords) {
      TRecord& record = all.NewRecord(bench::kGeneratedColumns);
      for (int i = 0; i < bench::kGeneratedColumns; ++i) {
        record.Fields().SetField(i, special[static_cast<std::size_t>(i)]);
      }
      all.Add(record);
    }
    ReplaceFileAtomically(folder + "/table.csv", [&all](TFileWriter& out) { all.SaveText(out); });
    TRecordsExporter exporter(all, folder);
    exporter.Export(TExportFormat::Excel, folder + "/table.xls", {.Title = "table"});
    exporter.Export(TExportFormat::Dbf, folder + "/table.dbf", {.Title = "table"});
  } catch (const std::exception& error) {
    std::cerr << error.what() << '\n';
    return 1;
  }
  return 0;
}
