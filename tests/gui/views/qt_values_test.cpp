#include "views/qt_values.h"

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

}  // namespace
}  // namespace mervanta
