#pragma once

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

}  // namespace mervanta::bench
