#pragma once

#include <stdlib.h>

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QString>

namespace mervanta::bench {

// The desktop benchmarks measure text in one font, DejaVu Sans from Debian, so that their
// figures compare between machines. Answers its family, empty when the font is missing.
inline QString LoadBenchFont() {
  const int font = QFontDatabase::addApplicationFont(
      QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
  return font >= 0 ? QFontDatabase::applicationFontFamilies(font).front() : QString();
}

// Runs a desktop benchmark on Qt's offscreen platform, handing it the bench font's family.
template <class TRun>
int RunOffscreen(int argc, char** argv, TRun run) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication application(argc, argv);
  run(LoadBenchFont());
  return 0;
}

}  // namespace mervanta::bench
