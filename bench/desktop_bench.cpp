// The desktop program's main window over a million generated records, each figure beside the
// core doing the same in the same run: Save from the window against saving the table in the
// core, and a quick search typed into its box until the result is painted against the core's
// quick search.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/global.h"
#include "app/main_window.h"
#include "bench_timing.h"
#include "dialogs/quick_search_dialog.h"
#include "model/records.h"
#include "offscreen_fonts.h"
#include "search/fast_search.h"
#include "search/search_manager.h"
#include "table/table.h"
#include "table_generator.h"
#include "views/grid.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;
// Found in about one record in ten of the generated names.
constexpr const char* kSearchText = "ann";

void Report(const char* what, double value, double baseline, const char* goal) {
  std::printf("%-46s %9.1f ms  baseline %9.1f ms  ratio %6.3f  (goal %s)\n", what, value, baseline,
              baseline > 0 ? value / baseline : 0.0, goal);
}

std::string WriteTable(const QTemporaryDir& folder, const char* name) {
  const std::string path = QDir(folder.path()).filePath(QString::fromLatin1(name)).toStdString();
  const std::string text = GenerateDataFile(kRecords);
  std::ofstream(path, std::ios::binary)
      .write(text.data(), static_cast<std::streamsize>(text.size()));
  return path;
}

// Types the text into the quick search box once it shows, and confirms it.
void AnswerQuickSearch() {
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<TQuickSearchDialog*>(QApplication::activeModalWidget());
    if (box == nullptr) std::abort();
    box->Field().setEditText(QString::fromLatin1(kSearchText));
    box->accept();
  });
}

void Run() {
  QTemporaryDir folder;
  const std::string windowFile = WriteTable(folder, "window.csv");
  const std::string coreFile = WriteTable(folder, "core.csv");
  TGlobal global({.OptionsFile = QDir(folder.path()).filePath("settings.xml").toStdString()});
  TMainWindow window(global);
  window.resize(1200, 700);
  window.show();
  if (!window.OpenTable(windowFile)) std::abort();
  QApplication::processEvents();
  TTable core;
  core.Open(coreFile, "", false);

  std::vector<double> windowSaves, coreSaves;
  for (int i = 0; i < 3; ++i) {
    window.Table()->SetModified(true);
    core.SetModified(true);
    windowSaves.push_back(TimeOnce([&] {
      window.SaveTable();
      QApplication::processEvents();
    }));
    coreSaves.push_back(TimeOnce([&] { core.Save(); }));
  }
  Report("Save from the main window", Median(windowSaves), Median(coreSaves), "<= 1.1");

  std::vector<double> windowSearches, coreSearches;
  for (int i = 0; i < 3; ++i) {
    windowSearches.push_back(TimeOnce([&] {
      AnswerQuickSearch();
      window.Commands()["r_FindFast"].trigger();
      (void)window.Grid()->grab();
    }));
    coreSearches.push_back(TimeOnce([&] {
      core.SearchManager().Run(std::make_unique<TFastSearch>(core.Sources().All, kSearchText));
    }));
  }
  Report("quick search from its box until painted", Median(windowSearches), Median(coreSearches),
         "<= 1.2");
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  return mervanta::bench::RunOffscreen(argc, argv, [](const QString&) { mervanta::bench::Run(); });
}
