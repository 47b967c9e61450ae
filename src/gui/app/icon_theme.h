#pragma once

#include <QIcon>
#include <QString>

namespace mervanta {

// The name the desktop knows the program by: its desktop entry's and its icon's.
inline const QString kApplicationId = QStringLiteral("io.github.mervanta.Mervanta");

// The commands' images come from the desktop's icon theme by their freedesktop names; where
// the desktop has no theme, or its theme lacks a name, the program's own images stand in.
void UseIconTheme();

// The program's own icon for its windows, the same drawing the desktop shows in its menus.
QIcon ApplicationIcon();

}  // namespace mervanta
