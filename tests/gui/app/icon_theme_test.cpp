#include "app/icon_theme.h"

#include <gtest/gtest.h>

#include <QPixmap>

namespace mervanta {
namespace {

// The window icon comes from the program's resources, drawn for small and large sizes.
TEST(IconTheme, TheApplicationIconHasItsDrawnSizes) {
  const QIcon icon = ApplicationIcon();
  for (const int size : {16, 48, 256}) {
    SCOPED_TRACE(size);
    EXPECT_TRUE(icon.availableSizes().contains(QSize(size, size)));
    const QPixmap pixmap = icon.pixmap(size);
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.width(), size);
  }
}

}  // namespace
}  // namespace mervanta
