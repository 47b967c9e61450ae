#include "app/icon_theme.h"

#include <QIcon>
#include <QStandardPaths>

namespace mervanta {

namespace {

const QString kFallbackTheme = QStringLiteral("Adwaita");

}  // namespace

void UseIconTheme() {
  // Platforms without a desktop theme (a bare X server, the offscreen one) search no folder.
  QStringList paths = QIcon::themeSearchPaths();
  for (const QString& folder :
       QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("icons"),
                                 QStandardPaths::LocateDirectory)) {
    if (!paths.contains(folder)) paths.append(folder);
  }
  QIcon::setThemeSearchPaths(paths);
  if (QIcon::themeName().isEmpty() || QIcon::themeName() == QStringLiteral("hicolor")) {
    QIcon::setThemeName(kFallbackTheme);
  }
  QIcon::setFallbackThemeName(kFallbackTheme);
}

}  // namespace mervanta
