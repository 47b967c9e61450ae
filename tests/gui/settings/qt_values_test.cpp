#include "settings/qt_values.h"

#include <gtest/gtest.h>

namespace mervanta {
namespace {

// The tests pin the locale to code page 1252.
TEST(QtValues, EveryByteOfACellIsOneUnitOfWhatIsDrawn) {
  const std::string bytes = "caf\xE9 \x80 \x81!";
  const QString text = DisplayText(bytes);
  ASSERT_EQ(text.size(), static_cast<qsizetype>(bytes.size()));
  EXPECT_EQ(text, QString::fromUtf8("caf\u00E9 \u20AC \u0081!"));
}

TEST(QtValues, ColoursResolveSystemColoursAndKeepTheirChannels) {
  EXPECT_EQ(ToQColor(RGB(0x12, 0x34, 0x56)), QColor(0x12, 0x34, 0x56));
  EXPECT_EQ(ToQColor(SystemColor(5)), ToQColor(ColorToRGB(SystemColor(5))));
}

TEST(QtValues, FontsKeepNameSizeAndStyles) {
  const QFont font = ToQFont({.Name = "DejaVu Sans", .Size = 12, .Style = fsBold | fsItalic});
  EXPECT_EQ(font.family(), "DejaVu Sans");
  EXPECT_EQ(font.pointSize(), 12);
  EXPECT_TRUE(font.bold());
  EXPECT_TRUE(font.italic());
  EXPECT_FALSE(font.underline());
}

TEST(QtValues, FontsAndColoursComeBackFromQtUnchanged) {
  const TFont fonts[] = {
      {.Name = "DejaVu Sans", .Size = 9},
      {.Name = "Caf\xE9 Serif", .Size = 11, .Style = fsBold | fsStrikeOut, .Color = 0x123456},
      {.Name = "Mono", .Size = 72, .Style = fsItalic | fsUnderline, .Charset = 204},
      {.Name = "DejaVu Sans", .Size = 1, .Style = fsBold | fsItalic | fsUnderline | fsStrikeOut},
  };
  for (const TFont& font : fonts) {
    EXPECT_EQ(FromQFont(ToQFont(font), font.Color, font.Charset), font) << font.Name;
  }
  for (const TColor color : {RGB(0, 0, 0), RGB(0xFF, 0xFF, 0xFF), RGB(0x12, 0x34, 0x56)}) {
    EXPECT_EQ(FromQColor(ToQColor(color)), color);
  }
  EXPECT_EQ(FromQColor(QColor::fromHsv(240, 255, 128)), RGB(0, 0, 128));
}

}  // namespace
}  // namespace mervanta
