#include <gtest/gtest.h>

#include <filesystem>

#include "export_fixture.h"

namespace mervanta::test {
namespace {

struct TQuotingCase {
  const char* Value;
  int SeparatorCSV;  // 0 ";", 1 ",", 2 tab, 3 "|"
  bool QuoteAll;
  const char* Line;  // the record's line: the value, then an empty second cell
};

TEST(DelimitedExportTest, QuotesACellOnlyWhereItMustReadBackTheSame) {
  const TQuotingCase cases[] = {
      {"plain", 0, false, "plain;\r\n"},
      {"inner blank", 0, false, "inner blank;\r\n"},
      {"trailing ", 0, false, "\"trailing \";\r\n"},
      {" leading", 0, false, "\" leading\";\r\n"},
      {"x\"y", 0, false, "\"x\"\"y\";\r\n"},
      {"a;b", 0, false, "\"a;b\";\r\n"},
      {"a;b", 1, false, "a;b,\r\n"},
      {"a,b", 1, false, "\"a,b\",\r\n"},
      {"a\tb", 2, false, "\"a\tb\"\t\r\n"},
      {"a|b", 3, false, "\"a|b\"|\r\n"},
      {"one\ntwo", 0, false, "\"one\ntwo\";\r\n"},
      {"cr\ronly", 0, false, "\"cr\ronly\";\r\n"},
      {"", 0, false, ";\r\n"},
      {"", 0, true, "\"\";\"\"\r\n"},
      {"plain", 1, true, "\"plain\",\"\"\r\n"},
  };
  for (const TQuotingCase& test : cases) {
    SCOPED_TRACE(test.Value);
    const TScopedSetting separator(*Options().Export->SeparatorCSV, test.SeparatorCSV);
    const TScopedSetting quoteAll(*Options().Other->QuoteAllFields, test.QuoteAll);
    TExportedTable table({"A", "B"}, {{test.Value, ""}});
    EXPECT_EQ(table.Export(TExportFormat::Csv), test.Line);
  }
}

TEST(DelimitedExportTest, TabTextNeverQuotesAndDropsOnlyCr) {
  const TScopedSetting quoteAll(*Options().Other->QuoteAllFields, true);
  TExportedTable table({"A", "B"}, {{" x\"y ", "one\r\ntwo\rthree\n"}});
  EXPECT_EQ(table.Export(TExportFormat::Txt), " x\"y \tone\ntwothree\n\r\n");
}

TEST(DelimitedExportTest, HeaderFollowsItsOwnOptionPerFormat) {
  TExportedTable table({"First name", "Last;name"}, {{"a", "b"}});
  {
    const TScopedSetting header(*Options().Export->ShowHeadCSV, true);
    EXPECT_EQ(table.Export(TExportFormat::Csv), "First name;\"Last;name\"\r\na;b\r\n");
    EXPECT_EQ(table.Export(TExportFormat::Txt), "a\tb\r\n");
  }
  const TScopedSetting header(*Options().Export->ShowHeadTXT, true);
  EXPECT_EQ(table.Export(TExportFormat::Csv), "a;b\r\n");
  EXPECT_EQ(table.Export(TExportFormat::Txt), "First name\tLast;name\r\na\tb\r\n");
}

TEST(DelimitedExportTest, DescriptionFileOnlyWithMakeKx) {
  TExportedTable table({"A"}, {{"a"}});
  table.Export(TExportFormat::Csv);
  EXPECT_FALSE(std::filesystem::exists(table.Folder.File("table.kx")));
  const TScopedSetting makeKx(*Options().Export->MakeKX, true);
  table.Export(TExportFormat::Txt);
  EXPECT_FALSE(std::filesystem::exists(table.Folder.File("table.kx")));
  table.Export(TExportFormat::Csv);
  EXPECT_TRUE(std::filesystem::exists(table.Folder.File("table.kx")));
}

}  // namespace
}  // namespace mervanta::test
