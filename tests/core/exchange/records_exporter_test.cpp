#include <gtest/gtest.h>

#include <filesystem>

#include <string>

#include "export_fixture.h"
#include "support/errors.h"

namespace mervanta::test {
namespace {

struct TFormatCase {
  TExportFormat Format;
  const char* Name;
  const char* Filter;
  const char* Extension;
};

TEST(RecordsExporterTest, NamesFiltersAndExtensionsByIndex) {
  const TFormatCase cases[] = {
      {TExportFormat::Csv, "CSV (;)", "CSV (*.csv)|*.csv", "csv"},
      {TExportFormat::Txt, "TXT (Tab)", "TXT (*.txt)|*.txt", "txt"},
      {TExportFormat::Html, "HTML", "HTML, HTM (*.html, *.htm)|*.html;*.htm", "html"},
      {TExportFormat::Excel, "Excel", "Excel (*.xls)|*.xls", "xls"},
      {TExportFormat::ExcelCom, "Excel (COM)", "Excel (*.xls)|*.xls", "xls"},
      {TExportFormat::Ini, "INI", "INI (*.ini)|*.ini", "ini"},
      {TExportFormat::Xml, "XML", "XML (*.xml)|*.xml", "xml"},
      {TExportFormat::WordCom, "Word (COM)", "Word (*.doc)|*.doc", "doc"},
      {TExportFormat::Dbf, "DBF", "DBF (*.dbf)|*.dbf", "dbf"},
  };
  for (const TFormatCase& test : cases) {
    SCOPED_TRACE(test.Name);
    EXPECT_EQ(TRecordsExporter::FormatName(test.Format), test.Name);
    EXPECT_EQ(TRecordsExporter::FormatFilter(test.Format), test.Filter);
    EXPECT_EQ(TRecordsExporter::FormatExtension(test.Format), test.Extension);
  }
  const TScopedSetting tab(*Options().Export->SeparatorCSV, 2);
  EXPECT_EQ(TRecordsExporter::FormatName(TExportFormat::Csv), "CSV (Tab)");
  EXPECT_THROW(TRecordsExporter::FormatName(static_cast<TExportFormat>(kExportFormatCount)),
               EMervantaError);
}

TEST(RecordsExporterTest, OnlyOfficeFormatsGoWithoutAFileAndOnlyWithViewCom) {
  for (int index = 0; index < kExportFormatCount; ++index) {
    EXPECT_TRUE(TRecordsExporter::FormatNeedsFile(static_cast<TExportFormat>(index))) << index;
  }
  const TScopedSetting viewCom(*Options().Export->ViewCOM, true);
  for (int index = 0; index < kExportFormatCount; ++index) {
    const auto format = static_cast<TExportFormat>(index);
    EXPECT_EQ(TRecordsExporter::FormatNeedsFile(format),
              format != TExportFormat::ExcelCom && format != TExportFormat::WordCom)
        << index;
  }
}

TEST(RecordsExporterTest, OfficeFormatsAreNotWrittenHere) {
  TExportedTable table({"A"}, {{"a"}});
  for (const TExportFormat format : {TExportFormat::ExcelCom, TExportFormat::WordCom}) {
    EXPECT_THROW(table.Export(format), EMervantaError);
    EXPECT_FALSE(std::filesystem::exists(table.Path(format)));
  }
}

struct TFrameCase {
  TExportFormat Format;
  std::string Bytes;
};

TEST(RecordsExporterTest, WithoutColumnsOnlyTheFrameIsWritten) {
  const std::string dbfHeader = [] {
    std::string header(32, '\0');
    header[0] = 3, header[1] = 26, header[2] = 3, header[3] = 7, header[4] = 2;
    header[8] = 33, header[10] = 1, header[29] = 0x57;
    return header;
  }();
  const TFrameCase cases[] = {
      {TExportFormat::Csv, "\r\n\r\n"},
      {TExportFormat::Txt, "\r\n\r\n"},
      {TExportFormat::Excel, std::string("\x09\x08\x08\0\0\0\x10\0\0\0\0\0\x0A\0\0\0", 16)},
      {TExportFormat::Ini, "[1]\r\n\r\n[2]\r\n\r\n"},
      {TExportFormat::Xml,
       "<?xml version=\"1.0\"?>\r\n<table>\r\n\t<columns>\r\n\t</columns>\r\n\t<records>\r\n"
       "\t\t<r>\r\n\t\t</r>\r\n\t\t<r>\r\n\t\t</r>\r\n\t</records>\r\n</table>\r\n"},
      {TExportFormat::Dbf, dbfHeader + "\x0D  \x1A"},
  };
  TExportedTable table({"A"}, {{"a"}, {"b"}});
  table.Table.Column("A").ToExport->SetValue(false);
  for (const TFrameCase& test : cases) {
    SCOPED_TRACE(static_cast<int>(test.Format));
    EXPECT_EQ(table.Export(test.Format), test.Bytes);
  }
}

TEST(RecordsExporterTest, PrintTakesTheColumnsToPrintAndExportThoseToExport) {
  TExportedTable table({"Both", "Exported", "Printed"}, {{"b", "e", "p"}});
  table.Table.Column("Exported").ToPrint->SetValue(false);
  table.Table.Column("Printed").ToExport->SetValue(false);
  TRecordsExporter exporter(table.Table.All, table.Folder.Path());
  auto captions = [&exporter] {
    std::string text;
    for (const TColumn* column : exporter.SelectedColumns()) text += column->Caption->Value();
    return text;
  };
  exporter.Export(TExportFormat::Html, table.Path(TExportFormat::Html), {.ForPrint = true});
  EXPECT_EQ(captions(), "BothPrinted");
  exporter.Export(TExportFormat::Html, table.Path(TExportFormat::Html));
  EXPECT_EQ(captions(), "BothExported");
  EXPECT_EQ(exporter.ColumnCount(), 2);
}

TEST(RecordsExporterTest, AFileThatCannotBeWrittenRaisesAndLeavesNothing) {
  TExportedTable table({"A"}, {{"a"}});
  TRecordsExporter exporter(table.Table.All, table.Folder.Path());
  const std::string path = table.Folder.File("missing/table.csv");
  EXPECT_THROW(exporter.Export(TExportFormat::Csv, path), EMervantaError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace mervanta::test
