// The record card over a million generated records, each figure beside loading the table in
// the same run: opening the card for a new record while a counter column scans every record,
// and opening the drop-down list of a column with few distinct values (every record scanned)
// and of a column of unique values (the list's cap ends the scan).
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QTemporaryDir>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <string>

#include "bench_timing.h"
#include "generated_table.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "model/table_options.h"
#include "model/table_sources.h"
#include "offscreen_fonts.h"
#include "settings/options.h"
#include "table_generator.h"
#include "views/card_form.h"
#include "views/card_items.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;
constexpr int kCityColumn = 1;
constexpr int kPhoneColumn = 3;
constexpr int kAmountColumn = 4;

}  // namespace

namespace {

std::unique_ptr<TCardForm> OpenNewCard(TRecords& all, const TTableOptions& options) {
  auto form = std::make_unique<TCardForm>(nullptr, TCardMode::New,
                                          TCardSubject{.Records = &all, .Options = &options});
  form->show();
  QApplication::processEvents();
  return form;
}

void MillionRecords() {
  QTemporaryDir folder;
  const TGeneratedTable loaded =
      LoadGeneratedTable(QDir(folder.path()).filePath("million.csv").toStdString(), kRecords);
  const double load = loaded.LoadMilliseconds;
  TRecords& all = loaded.Sources->All;
  TTableOptions options;

  // Qt's own first-use costs (fonts, style) are not the card's.
  {
    TTableSources small;
    AddColumns(small, GeneratedCaptions());
    (void)OpenNewCard(small.All, options);
  }
  all.Columns()[kAmountColumn].SetColumnType(TColumnType::Counter);
  const double open = MedianOf(3, [&] { (void)OpenNewCard(all, options); });
  Report("open the card for a new record with a counter", open, load, "<= 25 % of loading");
  all.Columns()[kAmountColumn].SetColumnType(TColumnType::General);

  const auto card = OpenNewCard(all, options);
  const double few = TimeOnce([&] {
    card->Items().Item(kCityColumn).OpenList();
    QApplication::processEvents();
  });
  Report("drop-down list of a column of few values", few, load, "<= 25 % of loading");
  const double unique = TimeOnce([&] {
    card->Items().Item(kPhoneColumn).OpenList();
    QApplication::processEvents();
  });
  Report("drop-down list of a column of unique values", unique, load, "<= 1 % of loading");
  std::printf("%-46s %zu and %zu entries\n", "lists",
              card->Items().Item(kCityColumn).List().Entries().size(),
              card->Items().Item(kPhoneColumn).List().Entries().size());
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  return mervanta::bench::RunOffscreen(argc, argv, [](const QString& family) {
    if (!family.isEmpty()) {
      mervanta::Options().Card->Font->SetValue({.Name = family.toStdString(), .Size = 9});
    }
    mervanta::bench::MillionRecords();
  });
}
