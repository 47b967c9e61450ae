// The GUI tests run on the offscreen platform with one font, DejaVu Sans from Debian's
// fonts-dejavu-core, so that text measures the same on every machine.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <iostream>

#include "app/icon_theme.h"
#include "test_support/pinned_locale.h"

namespace {

constexpr const char* kFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

}  // namespace

int main(int argc, char** argv) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  const int font = QFontDatabase::addApplicationFont(kFontFile);
  if (font < 0) {
    std::cerr << "The test font " << kFontFile << " is missing (scripts/setup.sh installs it)\n";
    return 1;
  }
  QApplication::setFont(QFont(QFontDatabase::applicationFontFamilies(font).front(), 9));
  mervanta::test::PinLocale();
  mervanta::UseIconTheme();
  return RUN_ALL_TESTS();
}
