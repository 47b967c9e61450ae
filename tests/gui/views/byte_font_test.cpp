#include "views/byte_font.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <cstdlib>

#include "test_support/pinned_locale.h"
#include "settings/qt_values.h"

namespace mervanta {
namespace {

QFont TestFont() {
  return QFont("DejaVu Sans", 10);
}

// What a text looks like drawn black on white.
QImage Drawn(const std::function<void(QPainter&)>& draw) {
  QImage image(200, 30, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setFont(TestFont());
  painter.setPen(Qt::black);
  draw(painter);
  return image;
}

int InkColumns(const QImage& image) {
  int columns = 0;
  for (int x = 0; x < image.width(); ++x) {
    for (int y = 0; y < image.height(); ++y) {
      if (qGray(image.pixel(x, y)) < 128) {
        ++columns;
        break;
      }
    }
  }
  return columns;
}

TEST(ByteFont, MeasuresAndDrawsLatinTextAsQtDoes) {
  const TByteFont font(TestFont());
  const QFontMetrics metrics(TestFont());
  for (const char* text : {"Sunflower", "caf\xE9 \x80 12,50", "W. A. Mozart"}) {
    const int qtWidth = metrics.horizontalAdvance(DisplayText(text));
    EXPECT_NEAR(font.TextWidth(text), qtWidth, 2) << text;
    const QImage ours = Drawn([&](QPainter& p) { font.Draw(p, 2, 20, text); });
    const QImage theirs = Drawn([&](QPainter& p) { p.drawText(2, 20, DisplayText(text)); });
    EXPECT_NEAR(InkColumns(ours), InkColumns(theirs), 3) << text;
  }
  EXPECT_EQ(font.TextWidth(""), 0);
  EXPECT_EQ(font.LineHeight(), metrics.height());
}

TEST(ByteFont, TextThatNeedsShapingTakesQtsPath) {
  // Hebrew letters are written right to left.
  const test::TScopedLocale hebrew({.AnsiCodePage = 1255});
  const TByteFont font(TestFont());
  const std::string text = "\xF9\xEC\xE5\xED abc";
  EXPECT_EQ(font.TextWidth(text), QFontMetrics(TestFont()).horizontalAdvance(DisplayText(text)));
  // Drawn glyph by glyph the letters would stand in reading order, left to right.
  EXPECT_EQ(Drawn([&](QPainter& p) { font.Draw(p, 2, 20, text); }),
            Drawn([&](QPainter& p) { p.drawText(2, 20, DisplayText(text)); }));
}

}  // namespace
}  // namespace mervanta
