#include "table/export_target.h"

#include <gtest/gtest.h>

#include "core/table/table_fixture.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "support/errors.h"
#include "table/table.h"
#include "test_support/scoped_options.h"

namespace mervanta::test {
namespace {

TEST(ExportTargetTest, NoExportReplacesOneOfTheTablesOwnFiles) {
  TScopedDefaultOptions defaults;
  TTableFolder folder;
  folder.Write("plants.kx", "");
  TTable table;
  table.Open(folder.Write("plants.csv", "rose;red\r\n"), {}, false);
  struct TCase {
    const char* Target;
    TExportFormat Format;
    bool MakeKX;
    bool Refused;
  };
  const TCase cases[] = {
      {"plants.csv", TExportFormat::Txt, false, true},
      {"plants.kx", TExportFormat::Xml, false, true},
      // A CSV file brings its description beside it: "plants.kx" here.
      {"plants.txt", TExportFormat::Csv, true, true},
      {"plants.txt", TExportFormat::Csv, false, false},
      {"plants.txt", TExportFormat::Txt, true, false},
      {"other.csv", TExportFormat::Csv, true, false},
  };
  for (const TCase& each : cases) {
    SCOPED_TRACE(each.Target);
    Options().Export->MakeKX->SetValue(each.MakeKX);
    if (each.Refused) {
      EXPECT_THROW(CheckExportTarget(table, folder.File(each.Target), each.Format), EMervantaError);
    } else {
      EXPECT_NO_THROW(CheckExportTarget(table, folder.File(each.Target), each.Format));
    }
  }
}

}  // namespace
}  // namespace mervanta::test
