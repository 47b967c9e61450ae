#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>

#include "views/font_measure.h"
#include "widget_picture.h"

namespace mervanta::test {
namespace {

TEST(GuiHarness, WidgetsUseTheTestFontAndTheirPicturesAreSaved) {
  EXPECT_EQ(QApplication::font().family(), QStringLiteral("DejaVu Sans"));
  QLabel label(QStringLiteral("Mervanta"));
  label.resize(120, 30);
  const std::string path = SaveWidgetPicture(label, "harness_label");
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(QImage(QString::fromStdString(path)).size(), QSize(120, 30));
}

TEST(FontMeasure, MeasuresCellTextsInTheirCodePage) {
  const TFontMeasure measure(QApplication::font());
  const QFontMetrics metrics(QApplication::font());
  // "é" is one byte in code page 1252.
  EXPECT_EQ(measure.TextWidth("caf\xE9"), metrics.horizontalAdvance(QStringLiteral("caf\u00E9")));
  EXPECT_GT(measure.TextWidth("WWW"), measure.TextWidth("iii"));
  EXPECT_EQ(measure.LineHeight(), metrics.height());
}

TEST(FontMeasure, WrappedCaptionsAreAsHighAsTheirLines) {
  const TFontMeasure measure(QApplication::font());
  const int line = measure.LineHeight();
  const int width = measure.TextWidth("first second");
  EXPECT_EQ(measure.WrappedHeight("first second third", width, true), 2 * line);
  EXPECT_EQ(measure.WrappedHeight("first second third", width, false), line);
  EXPECT_EQ(measure.WrappedHeight("first second third", 0, true), 3 * line);
}

}  // namespace
}  // namespace mervanta::test
