// The automated tasks wizard over a million generated records: painting the first page of the
// result preview beside running the task over every record, in the same run. The preview asks
// for the rows in view only, so its cost must not grow with the table.
#include <QApplication>
#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <fstream>
#include <memory>
#include <string>

#include "bench_timing.h"
#include "dialogs/wizard.h"
#include "offscreen_fonts.h"
#include "operations/operation.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "table/table.h"
#include "table_generator.h"
#include "views/grid.h"
#include "wizards/automated_tasks_wizard.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;

void Click(const QDialog& form, const char* button) {
  form.findChild<QPushButton*>(QString::fromLatin1(button))->click();
  QApplication::processEvents();
}

void MillionRecords() {
  QTemporaryDir folder;
  const std::string path = QDir(folder.path()).filePath("million.csv").toStdString();
  const std::string text = GenerateDataFile(kRecords);
  std::ofstream(path, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  TTable table;
  table.Open(path, "", true);
  Options().Other->WizardsWelcome->SetValue(false);

  // Upper case on the first column: the wizard's chain is initial page, column, interval.
  TAutomatedTasksForm form(nullptr, table);
  form.show();
  QApplication::processEvents();
  form.findChild<QListWidget*>(QStringLiteral("Kinds"))
      ->setCurrentRow(static_cast<int>(TOperationKind::UpperCase));
  Click(form, "Next");
  Click(form, "Next");
  Click(form, "Next");
  if (form.PreviewGrid(*form.Wizard().CurrentPage()) == nullptr) {
    std::printf("the wizard did not reach the result preview\n");
    return;
  }
  // The whole page with its grid, painted into a picture as the screen would show it.
  QWidget& page = *form.Wizard().CurrentPage();
  const double paint = MedianOf(5, [&] { (void)page.grab(); });
  const double run = MedianOf(3, [&] { form.Operation().Execute(); });
  Report("paint the result preview's first page", paint, run, "<= 2 % of the task's full run");
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  return mervanta::bench::RunOffscreen(argc, argv,
                                       [](const QString&) { mervanta::bench::MillionRecords(); });
}
