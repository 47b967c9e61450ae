// Every format's bytes for the fixture table, compared with the files in tests/data/exchange.
#include <gtest/gtest.h>

#include <cctype>
#include <functional>
#include <memory>
#include <vector>

#include "core/table/table_fixture.h"
#include "export_fixture.h"

namespace mervanta::test {
namespace {

using TSettings = std::vector<std::shared_ptr<void>>;

template <class TProperty, class TValue>
std::shared_ptr<void> Set(TProperty& property, TValue value) {
  return std::make_shared<TScopedSetting<TProperty>>(property, std::move(value));
}

struct TGoldenCase {
  const char* Golden;
  TExportFormat Format;
  TExportPage Page;
  std::function<TSettings()> Settings;
};

std::string CaseName(const testing::TestParamInfo<TGoldenCase>& info) {
  std::string name = info.param.Golden;
  for (char& c : name) {
    if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
  }
  return name;
}

TFont PrintFont() {
  TFont font;
  font.Name = "Arial";
  font.Size = 10;
  font.Style = fsBold | fsUnderline;
  font.Color = RGB(0x12, 0xAB, 0xCD);
  font.Charset = 204;
  return font;
}

const TGoldenCase kGoldenCases[] = {
    {"export.csv",
     TExportFormat::Csv,
     {},
     [] {
       return TSettings{Set(*Options().Export->ShowHeadCSV, true),
                        Set(*Options().Export->SeparatorCSV, 0)};
     }},
    {"export_all_quoted.csv",
     TExportFormat::Csv,
     {},
     [] {
       return TSettings{Set(*Options().Export->SeparatorCSV, 1),
                        Set(*Options().Other->QuoteAllFields, true)};
     }},
    {"export.txt",
     TExportFormat::Txt,
     {},
     [] { return TSettings{Set(*Options().Export->ShowHeadTXT, true)}; }},
    {"export.html", TExportFormat::Html, {}, [] { return TSettings{}; }},
    {"print_list.html", TExportFormat::Html, {.ForPrint = true}, [] { return TSettings{}; }},
    {"print_cards.html",
     TExportFormat::Html,
     {.CardLayout = true, .ForPrint = true},
     [] {
       return TSettings{Set(*Options().Print->Font, PrintFont()),
                        Set(*Options().Print->ShowGrid, false)};
     }},
    {"export.xls", TExportFormat::Excel, {}, [] { return TSettings{}; }},
    {"export.ini", TExportFormat::Ini, {}, [] { return TSettings{}; }},
    {"export.xml", TExportFormat::Xml, {}, [] { return TSettings{}; }},
    {"export.dbf", TExportFormat::Dbf, {}, [] { return TSettings{}; }},
};

class TGoldenExportTest : public TExportTest, public testing::WithParamInterface<TGoldenCase> {};

TEST_P(TGoldenExportTest, WritesTheGoldenBytes) {
  const TGoldenCase& golden = GetParam();
  const TSettings settings = golden.Settings();
  EXPECT_EQ(Export(golden.Format, golden.Page), Golden(golden.Golden));
}

INSTANTIATE_TEST_SUITE_P(Formats, TGoldenExportTest, testing::ValuesIn(kGoldenCases), CaseName);

TEST_F(TExportTest, CsvWithMakeKxWritesTheDescriptionThatOpensThePairAsATable) {
  const TScopedSetting makeKx(*Options().Export->MakeKX, true);
  const TTableFolder folder;
  const std::string path = folder.File("pair.csv");
  Exporter.Export(TExportFormat::Csv, path, {.Title = "Prices"});
  EXPECT_EQ(ReadWholeFile(folder.File("pair.kx")), Golden("export.kx"));

  // The computed column's results come back as a stored column, so every column keeps its
  // own values.
  TTable table;
  table.Open(path, "", true);
  EXPECT_EQ(Captions(table.Columns()), "Name Note Price Photo Loud");
  EXPECT_EQ(Rows(table),
            "| lead|1,5|/pictures/a.jpg| lead!/"
            "Say \"hi\"|two\r\nlines|12.05.2020||two\r\nlines!/"
            "A&B <caf\xE9>|inner blank;semi|-2e3||inner blank;semi!");
}

// Columns whose settings are all defaults, a stored one and a computed one with only its
// formula, still get their own element: without one, every later caption would sit over its
// neighbour's values.
TEST(CsvDescriptionTest, DescribesEveryExportedColumnEvenAllDefault) {
  const TScopedSetting makeKx(*Options().Export->MakeKX, true);
  TRecordsFixture source(0);
  source.AddColumn("Name");
  source.AddColumn("");
  source.AddColumn("", TColumnStorage::Virtual).Formula->SetValue("#1+\"!\"");
  source.AddColumn("Price");
  source.All.Add(source.Make({"ann", "x", "7"}));
  source.All.Add(source.Make({"bob", "", "9"}));
  const TTableFolder folder;
  const std::string path = folder.File("pair.csv");
  TRecordsExporter exporter(source.All, folder.Path());
  exporter.Export(TExportFormat::Csv, path, {.Title = "Pair"});

  TTable table;
  table.Open(path, "", true);
  EXPECT_EQ(Captions(table.Columns()), "Name   Price");
  EXPECT_EQ(Rows(table), "ann|x|ann!|7/bob||bob!|9");
}

}  // namespace
}  // namespace mervanta::test
