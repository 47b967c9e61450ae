#include "app/icon_theme.h"

// The resources of a static library are registered by hand, once.
static void RegisterIconResources() {
  static const bool registered = [] {
    Q_INIT_RESOURCE(icons);
    return true;
  }();
  (void)registered;
}

namespace mervanta {

namespace {

// The images the program ships (src/gui/icons), as a theme of their own.
const QString kOwnTheme = QStringLiteral("mervanta");

}  // namespace

void UseIconTheme() {
  RegisterIconResources();
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == QStringLiteral("hicolor")) {
    QIcon::setThemeName(kOwnTheme);
  }
  QIcon::setFallbackThemeName(kOwnTheme);
}

QIcon ApplicationIcon() {
  RegisterIconResources();
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    icon.addFile(QStringLiteral(":/icons/application/%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace mervanta
