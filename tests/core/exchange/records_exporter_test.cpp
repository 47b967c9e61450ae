#include <gtest/gtest.h>

#include <filesystem>

#include <string>

#include "export_fixture.h"
#include "support/errors.h"

namespace mervanta::test {
namespace {

struct TFormatCase {
  int Format;
  const char* Name;
  const char* Filter;
  const char* Extension;
};

TEST(RecordsExporterTest, NamesFiltersAndExtensionsByIndex) {
  const TFormatCase cases[] = {
      {efCsv, "CSV (;)", "CSV (*.csv)|*.csv", "csv"},
      {efTxt, "TXT (Tab)", "TXT (*.txt)|*.txt", "txt"},
      {efHtml, "HTML", "HTML, HTM (*.html, *.htm)|*.html;*.htm", "html"},
      {efExcel, "Excel", "Excel (*.xls)|*.xls", "xls"},
      {efExcelCom, "Excel (COM)", "Excel (*.xls)|*.xls", "xls"},
      {efIni, "INI", "INI (*.ini)|*.ini", "ini"},
      {efXml, "XML", "XML (*.xml)|*.xml", "xml"},
      {efWordCom, "Word (COM)", "Word (*.doc)|*.doc", "doc"},
      {efDbf, "DBF", "DBF (*.dbf)|*.dbf", "dbf"},
  };
  for (const TFormatCase& test : cases) {
    SCOPED_TRACE(test.Name);
    EXPECT_EQ(TRecordsExporter::FormatName(test.Format), test.Name);
    EXPECT_EQ(TRecordsExporter::FormatFilter(test.Format), test.Filter);
    EXPECT_EQ(TRecordsExporter::FormatExtension(test.Format), test.Extension);
  }
  const TScopedSetting tab(*Options().Export->SeparatorCSV, 2);
  EXPECT_EQ(TRecordsExporter::FormatName(efCsv), "CSV (Tab)");
  EXPECT_THROW(TRecordsExporter::FormatName(kExportFormatCount), EMervantaError);
}

TEST(RecordsExporterTest, OnlyOfficeFormatsGoWithoutAFileAndOnlyWithViewCom) {
  for (int format = 0; format < kExportFormatCount; ++format) {
    EXPECT_TRUE(TRecordsExporter::FormatNeedsFile(format)) << format;
  }
  const TScopedSetting viewCom(*Options().Export->ViewCOM, true);
  for (int format = 0; format < kExportFormatCount; ++format) {
    EXPECT_EQ(TRecordsExporter::FormatNeedsFile(format),
              format != efExcelCom && format != efWordCom)
        << format;
  }
}

TEST(RecordsExporterTest, OfficeFormatsAreNotWrittenHere) {
  TExportedTable table({"A"}, {{"a"}});
  for (const int format : {efExcelCom, efWordCom}) {
    EXPECT_THROW(table.Export(format), EMervantaError);
    EXPECT_FALSE(std::filesystem::exists(table.Path(format)));
  }
}

struct TFrameCase {
  int Format;
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
      {efCsv, "\r\n\r\n"},
      {efTxt, "\r\n\r\n"},
      {efExcel, std::string("\x09\x08\x08\0\0\0\x10\0\0\0\0\0\x0A\0\0\0", 16)},
      {efIni, "[1]\r\n\r\n[2]\r\n\r\n"},
      {efXml,
       "<?xml version=\"1.0\"?>\r\n<table>\r\n\t<columns>\r\n\t</columns>\r\n\t<records>\r\n"
       "\t\t<r>\r\n\t\t</r>\r\n\t\t<r>\r\n\t\t</r>\r\n\t</records>\r\n</table>\r\n"},
      {efDbf, dbfHeader + "\x0D  \x1A"},
  };
  TExportedTable table({"A"}, {{"a"}, {"b"}});
  table.Table.Column("A").ToExport->SetValue(false);
  for (const TFrameCase& test : cases) {
    SCOPED_TRACE(test.Format);
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
  exporter.Export(efHtml, table.Path(efHtml), false, true, "");
  EXPECT_EQ(captions(), "BothPrinted");
  exporter.Export(efHtml, table.Path(efHtml), false, false, "");
  EXPECT_EQ(captions(), "BothExported");
  EXPECT_EQ(exporter.ColumnCount(), 2);
}

TEST(RecordsExporterTest, AFileThatCannotBeWrittenRaisesAndLeavesNothing) {
  TExportedTable table({"A"}, {{"a"}});
  TRecordsExporter exporter(table.Table.All, table.Folder.Path());
  const std::string path = table.Folder.File("missing/table.csv");
  EXPECT_THROW(exporter.Export(efCsv, path, false, false, ""), EMervantaError);
  EXPECT_FALSE(std::filesystem::exists(path));
}

}  // namespace
}  // namespace mervanta::test
