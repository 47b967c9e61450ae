#include "app/icon_theme.h"

#include <QIcon>

// The resources of a static library are registered by hand.
static void RegisterIconResources() {
  Q_INIT_RESOURCE(icons);
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

}  // namespace mervanta
