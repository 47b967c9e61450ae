#pragma once

#include <gtest/gtest.h>

#include <QImage>
#include <memory>
#include <string>

#include "core/table/table_fixture.h"
#include "settings/options.h"
#include "settings/settings_location.h"
#include "views/flip_list.h"
#include "views/picture_cache.h"

namespace mervanta::test {

// A table built in memory with options of its own: the test font and no lines, so that
// row heights are plain sums of line heights and spacings.
class ListFixture : public testing::Test {
 protected:
  ListFixture() : Options(DefaultWorkDir()), Pictures(TPictureCache::kDefaultBudget, &FakePicture) {
    Options.Flip->Font->SetValue({.Name = "DejaVu Sans", .Size = 9});
    Options.Flip->HorzLines->SetValue(false);
    Options.Flip->VertLines->SetValue(false);
  }

  // "wide.png" is 2000 × 1000 and "tall.png" 100 × 400, whatever the folder; other names fail.
  static TLoadedPicture FakePicture(const std::string& path, QSize) {
    QSize size;
    if (path.ends_with("wide.png")) size = QSize(2000, 1000);
    if (path.ends_with("tall.png")) size = QSize(100, 400);
    if (size.isEmpty()) return {};
    QImage image(size / 10, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    return {image, size};
  }

  TColumn& Column(std::string_view caption, int width, TColumnType type = TColumnType::General) {
    TColumn& column = AddColumn(Table, caption);
    column.Width->SetValue(width);
    column.SetColumnType(type);
    return column;
  }

  // A list over "All" of the table, sized and shown.
  std::unique_ptr<TFlipList> MakeList(int width = 400, int height = 200) {
    auto list = std::make_unique<TFlipList>(Options, Pictures, nullptr);
    list->SetSource(&Table.Sources().All);
    list->resize(width, height);
    list->show();
    return list;
  }

  TTable Table;
  TOptions Options;
  TPictureCache Pictures;
};

}  // namespace mervanta::test
