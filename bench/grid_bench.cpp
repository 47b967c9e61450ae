// The record view over a million generated records, each figure beside the baseline measured
// in the same run: building the grid and painting its first page against loading the table,
// the steps of moving through the list (Page Down, End, Home, a wheel step, dragging the
// thumb), a heading click that sorts by the amount column against the core's sort of the
// same column, a page of ten 4000 × 3000 JPEG pictures read cold against decoding one of them
// whole, and then warm; and the memory the grid adds to the process.
#include <malloc.h>
#include <stdlib.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "bench_timing.h"
#include "generated_table.h"
#include "model/columns.h"
#include "model/data_text.h"
#include "model/records.h"
#include "model/table_sources.h"
#include "offscreen_fonts.h"
#include "settings/options.h"
#include "settings/settings_location.h"
#include "table_generator.h"
#include "views/grid.h"
#include "views/head_ctrl.h"
#include "views/picture_cache.h"
#include "views/picture_loader.h"

namespace mervanta::bench {
namespace {

constexpr std::uint64_t kRecords = 1000000;
constexpr int kAmountColumn = 4;
constexpr int kPictureRows = 10;

// The heap in use: the memory freed by the earlier loads is reused without the resident
// size changing, so the process's size would hide what the grid takes.
double HeapMegabytes() {
  return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

// Lets Qt deliver what is pending, the paint of the scrolled strip included.
void Settle() {
  QApplication::processEvents();
}

void ReportAbsolute(const char* what, double value, const char* goal) {
  std::printf("%-46s %9.3f ms  (goal %s)\n", what, value, goal);
}

std::unique_ptr<TGrid> ShowGrid(TOptions& options, TPictureCache& pictures, TSources& sources,
                                std::string folder = {}) {
  auto grid = std::make_unique<TGrid>(options, pictures);
  grid->resize(1200, 700);
  grid->show();
  grid->Build(sources, {.TableFolder = std::move(folder)});
  Settle();
  return grid;
}

void Key(TFlipList& list, Qt::Key key) {
  QTest::keyClick(&list, key);
  Settle();
}

void MillionRecords(TOptions& options, TPictureCache& pictures) {
  QTemporaryDir folder;
  const TGeneratedTable loaded =
      LoadGeneratedTable(QDir(folder.path()).filePath("million.csv").toStdString(), kRecords);
  const double load = loaded.LoadMilliseconds;
  TTableSources& sources = *loaded.Sources;
  sources.SetCurrentIndex(TTableSources::kAllIndex);
  sources.All.SetItemIndex(0);

  // Qt's own first-use costs (fonts, style) are not the grid's.
  {
    TTableSources small;
    AddColumns(small, GeneratedCaptions());
    const auto warmUp = ShowGrid(options, pictures, small);
    (void)warmUp->grab();
  }
  const double before = HeapMegabytes();
  std::unique_ptr<TGrid> grid;
  const double build = TimeOnce([&] {
    grid = ShowGrid(options, pictures, sources);
    (void)grid->grab();
  });
  const double added = HeapMegabytes() - before;
  Report("build the grid and paint its first page", build, load, "<= 10 % of loading");

  TFlipList& list = grid->List(0);
  list.setFocus();
  std::vector<double> pageDown;
  for (int i = 0; i < 60; ++i) pageDown.push_back(TimeOnce([&] { Key(list, Qt::Key_PageDown); }));
  ReportAbsolute("Page Down (median of 60)", Median(pageDown), "<= 3 ms");
  std::vector<double> ends, homes;
  for (int i = 0; i < 9; ++i) {
    ends.push_back(TimeOnce([&] { Key(list, Qt::Key_End); }));
    homes.push_back(TimeOnce([&] { Key(list, Qt::Key_Home); }));
  }
  ReportAbsolute("End (median of 9)", Median(ends), "<= 3 ms");
  ReportAbsolute("Home (median of 9)", Median(homes), "<= 3 ms");
  std::vector<double> wheel;
  for (int i = 0; i < 60; ++i) {
    wheel.push_back(TimeOnce([&] {
      QWheelEvent step(QPointF(50, 50), list.mapToGlobal(QPointF(50, 50)), {}, {0, -120},
                       Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
      QApplication::sendEvent(list.viewport(), &step);
      Settle();
    }));
  }
  ReportAbsolute("wheel step (median of 60)", Median(wheel), "<= 2 ms");
  std::mt19937 random(7);
  std::vector<double> drag;
  for (int i = 0; i < 60; ++i) {
    const int position = static_cast<int>(random() % kRecords);
    drag.push_back(TimeOnce([&] {
      list.verticalScrollBar()->setValue(position);
      Settle();
    }));
  }
  ReportAbsolute("thumb dragged anywhere (median of 60)", Median(drag), "<= 5 ms");

  // A heading click against the core's sort of another list over the same records, both
  // starting from the order by name.
  TColumn& amount = sources.Columns()[kAmountColumn];
  TColumn& name = sources.Columns()[0];
  TRecords plain(sources.Columns(), &sources.All);
  std::vector<double> core, click;
  for (int i = 0; i < 3; ++i) {
    plain.Assign(sources.All);
    plain.Sort(name, TSortKey::Only);
    core.push_back(TimeOnce([&] { plain.Sort(amount, TSortKey::Only); }));
    sources.All.Sort(name, TSortKey::Only);
    Settle();
    const THeadButton* button = nullptr;
    for (const THeadButton& each : grid->Head().Buttons()) {
      if (each.Column == &amount) button = &each;
    }
    if (button == nullptr) std::abort();
    const QPoint point((button->Left + button->Right) / 2 - grid->Head().HorzPos(),
                       (button->Top + button->Bottom) / 2);
    click.push_back(TimeOnce([&] {
      QTest::mouseClick(&grid->Head(), Qt::LeftButton, {}, point);
      Settle();
      (void)list.grab();
    }));
    if (sources.All.SortColumn() != &amount) std::abort();
  }
  Report("heading click sorting by amount", Median(click), Median(core), "<= 1.1");
  std::printf("%-46s %9.1f MB  (goal <= 16 MB)\n", "memory the grid adds", added);
}

void WriteJpeg(const std::string& path, int seed) {
  QImage image(4000, 3000, QImage::Format_RGB32);
  std::mt19937 random(static_cast<unsigned>(seed));
  QPainter painter(&image);
  QLinearGradient gradient(0, 0, 4000, 3000);
  gradient.setColorAt(0, QColor::fromHsv(seed * 30 % 360, 200, 220));
  gradient.setColorAt(1, QColor::fromHsv((seed * 30 + 120) % 360, 160, 90));
  painter.fillRect(image.rect(), gradient);
  for (int i = 0; i < 400; ++i) {
    painter.setBrush(QColor::fromRgb(random()));
    painter.drawEllipse(static_cast<int>(random() % 4000), static_cast<int>(random() % 3000),
                        static_cast<int>(random() % 400), static_cast<int>(random() % 400));
  }
  painter.end();
  image.save(QString::fromStdString(path), "JPEG", 90);
}

void Pictures(TOptions& options, TPictureCache& pictures) {
  QTemporaryDir folder;
  TTableSources sources;
  const std::array<const char*, 2> captions{"Name", "Photo"};
  AddColumns(sources, captions);
  sources.Columns()[1].SetColumnType(TColumnType::Picture);
  sources.Columns()[1].Width->SetValue(120);
  for (int i = 0; i < kPictureRows; ++i) {
    const std::string name = "photo" + std::to_string(i) + ".jpg";
    WriteJpeg(QDir(folder.path()).filePath(QString::fromStdString(name)).toStdString(), i);
    TRecord& record = sources.All.NewRecord(2);
    record.Fields().SetField(0, "photo " + std::to_string(i));
    record.Fields().SetField(1, name);
    sources.All.Add(record);
  }
  sources.SetCurrentIndex(TTableSources::kAllIndex);
  const std::string first = QDir(folder.path()).filePath("photo0.jpg").toStdString();
  const double whole = MedianOf(3, [&] { (void)LoadPicture(first, {}); });
  const auto grid = ShowGrid(options, pictures, sources, folder.path().toStdString());
  TFlipList& list = grid->List(0);
  const double cold = MedianOf(3, [&] {
    pictures.Clear();
    list.SetSource(&sources.All);
    (void)list.grab();
  });
  Report("a page of ten JPEG pictures, cold", cold, whole, "<= 3 (one whole decode)");
  const double warm = MedianOf(9, [&] { (void)list.grab(); });
  ReportAbsolute("the same page, warm", warm, "<= 3 ms");
}

}  // namespace
}  // namespace mervanta::bench

int main(int argc, char** argv) {
  return mervanta::bench::RunOffscreen(argc, argv, [](const QString& family) {
    if (!family.isEmpty()) QApplication::setFont(QFont(family, 9));
    mervanta::TOptions options(mervanta::DefaultWorkDir());
    options.Flip->Font->SetValue({.Name = "DejaVu Sans", .Size = 9});
    mervanta::TPictureCache pictures;
    mervanta::bench::Pictures(options, pictures);
    mervanta::bench::MillionRecords(options, pictures);
  });
}
