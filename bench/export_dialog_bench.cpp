// Exporting a million generated records from the export dialog, beside the core's export of
// the same records into the same format in the same run: the dialog adds the choice of list,
// columns and file, and nothing per record.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <fstream>
#include <memory>
#include <string>

#include "bench_timing.h"
#include "dialogs/export_dialog.h"
#include "dialogs/temporary_files.h"
#include "exchange/records_exporter.h"
#include "offscreen_fonts.h"
#include "table/table.h"
#include "table_generator.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;

void MillionRecords() {
  QTemporaryDir folder;
  const QDir dir(folder.path());
  const std::string path = dir.filePath("million.csv").toStdString();
  const std::string text = GenerateDataFile(kRecords);
  std::ofstream(path, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  TTable table;
  table.Open(path, "", true);
  const std::string target = dir.filePath("exported.csv").toStdString();
  TTemporaryFiles kept;

  const double core = MedianOf(3, [&] {
    TRecordsExporter(table.Sources().All, table.Folder())
        .Export(TExportFormat::Csv, target, {.Title = table.DisplayName()});
  });
  const double dialog = MedianOf(3, [&] {
    TExportForm form(nullptr, table, kept);
    form.SetSaveFilePrompt([&](QWidget&, const QString&, const QString&, const QString&) {
      return QString::fromStdString(target);
    });
    form.show();
    QApplication::processEvents();
    auto* formats = form.findChild<QTreeWidget*>(QStringLiteral("Formats"));
    formats->setCurrentItem(formats->topLevelItem(static_cast<int>(TExportFormat::Csv)));
    form.findChild<QPushButton*>(QStringLiteral("Export"))->click();
  });
  Report("export a million records from the export dialog", dialog, core,
         "<= 1.05 x the core's export");
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  return mervanta::bench::RunOffscreen(argc, argv,
                                       [](const QString&) { mervanta::bench::MillionRecords(); });
}
