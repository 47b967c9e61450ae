// The table properties dialog over a million generated records, each figure beside opening
// the table in the same run: opening the dialog on its column page, and building the
// statistics page, which reads every cell of every column once.
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <memory>
#include <string>

#include "bench_timing.h"
#include "dialogs/options_dialog.h"
#include "dialogs/report_page.h"
#include "dialogs/table_properties_dialog.h"
#include "offscreen_fonts.h"
#include "settings/options.h"
#include "table/table.h"
#include "table_generator.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;

std::unique_ptr<TTableForm> OpenDialog(TTable& table) {
  auto form = std::make_unique<TTableForm>(nullptr, table);
  form->show();
  QApplication::processEvents();
  return form;
}

void MillionRecords() {
  QTemporaryDir folder;
  const std::string path = QDir(folder.path()).filePath("million.csv").toStdString();
  const std::string text = GenerateDataFile(kRecords);
  std::ofstream(path, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  std::unique_ptr<TTable> table;
  const double load = MedianOf(3, [&] {
    table.reset();
    table = std::make_unique<TTable>();
    table->Open(path, "", true);
  });

  // Qt's own first-use costs (fonts, style) are not the dialog's.
  {
    TTable small;
    small.New();
    (void)OpenDialog(small);
  }
  const double open = MedianOf(3, [&] { (void)OpenDialog(*table); });
  Report("open the table properties dialog", open, load, "<= 5 % of loading");
  // The options dialog reads no table: opened while the million records are open.
  const double options = MedianOf(3, [] {
    TOptionsForm form(nullptr, {}, Options());
    form.show();
    QApplication::processEvents();
  });
  Report("open the options dialog", options, load, "<= 5 % of loading");

  const double statistics = MedianOf(3, [&] {
    const auto form = OpenDialog(*table);
    auto* tree = form->findChild<QTreeWidget*>(QStringLiteral("Categories"));
    tree->setCurrentItem(
        tree->findItems(QStringLiteral("Calculations"), Qt::MatchExactly | Qt::MatchRecursive)
            .front());
    QApplication::processEvents();
  });
  Report("the statistics page", statistics, load, "<= 1 x loading");
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  return mervanta::bench::RunOffscreen(argc, argv,
                                       [](const QString&) { mervanta::bench::MillionRecords(); });
}
