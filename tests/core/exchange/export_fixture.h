#pragma once

#include <gtest/gtest.h>

#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/model/records_fixture.h"
#include "exchange/records_exporter.h"
#include "settings/options.h"
#include "support/file_io.h"
#include "test_support/temp_dir.h"

namespace mervanta::test {

// Sets an application option for one test and puts the old value back afterwards.
template <class TProperty>
class TScopedSetting {
 public:
  using TValue = std::remove_cvref_t<decltype(std::declval<TProperty&>().Value())>;

  TScopedSetting(TProperty& property, TValue value) : Property_(property), Old_(property.Value()) {
    Property_.SetValue(std::move(value));
  }
  ~TScopedSetting() { Property_.SetValue(Old_); }
  TScopedSetting(const TScopedSetting&) = delete;
  TScopedSetting& operator=(const TScopedSetting&) = delete;

 private:
  TProperty& Property_;
  TValue Old_;
};

// A table whose cells hold what the formats must take care of: an empty first cell, edge
// and inner blanks, quotes, a line break, markup characters, a byte above 127, numbers in
// both notations and a date; a computed column; a picture column; and a column that is
// neither exported nor printed.
class TExportTest : public testing::Test {
 protected:
  TExportTest() : Table(0) {
    Table.AddColumn("Name");
    Table.AddColumn("Note");
    Table.AddColumn("Price");
    TColumn& photo = Table.AddColumn("Photo");
    photo.SetColumnType(TColumnType::Picture);
    TColumn& loud = Table.AddColumn("Loud", TColumnStorage::Virtual);
    loud.Formula->SetValue("#2+\"!\"");
    TColumn& secret = Table.AddColumn("Secret");
    secret.ToExport->SetValue(false);
    secret.ToPrint->SetValue(false);
    Table.All.Add(Table.Make({"", " lead", "1,5", "/pictures/a.jpg", "s1"}));
    Table.All.Add(Table.Make({"Say \"hi\"", "two\r\nlines", "12.05.2020", "", "s2"}));
    Table.All.Add(Table.Make({"A&B <caf\xE9>", "inner blank;semi", "-2e3", "", "s3"}));
  }

  // Exports the table into a file of the folder and returns its bytes.
  std::string Export(TExportFormat format, TExportPage page = {},
                     const std::string& name = "export") {
    const std::string path = Folder.File(name + "." + TRecordsExporter::FormatExtension(format));
    Exporter.SetDate(ExportDate());
    page.Title = "Prices";
    Exporter.Export(format, path, page);
    return ReadWholeFile(path);
  }

  // 7 March 2026.
  static TDateTime ExportDate() { return 46088; }

  TRecordsFixture Table;
  TTempDir Folder;
  TRecordsExporter Exporter{Table.All, Folder.Path()};
};

// A table of stored columns, named by the captions, holding the rows, exported into a file
// of its own folder, which is the table's.
class TExportedTable {
 public:
  TExportedTable(const std::vector<std::string>& captions, const std::vector<TRow>& rows)
      : Table(0) {
    for (const std::string& caption : captions) Table.AddColumn(caption);
    for (const TRow& row : rows) Table.All.Add(Table.Make(row));
  }

  // The file's bytes.
  std::string Export(TExportFormat format, TExportPage page = {}) {
    const std::string path = Path(format);
    TRecordsExporter exporter(Table.All, Folder.Path());
    exporter.SetDate(Date);
    page.Title = "Table";
    exporter.Export(format, path, page);
    return ReadWholeFile(path);
  }
  std::string Path(TExportFormat format) const {
    return Folder.File("table." + TRecordsExporter::FormatExtension(format));
  }

  TRecordsFixture Table;
  TTempDir Folder;
  TDateTime Date = 46088;  // 7 March 2026
};

// The bytes of a fixture in tests/data/exchange.
inline std::string Golden(const std::string& name) {
  return ReadWholeFile(DataFile("exchange/" + name));
}

}  // namespace mervanta::test
