#pragma once

#include <string>

class QWidget;

namespace mervanta {

// A dialog's position and size kept in its session element: put back where the user left it
// (moved onto the screen when that changed), else where the window system places it.
void RestorePlacement(QWidget& dialog, const std::string& windowName);
void StorePlacement(const QWidget& dialog, const std::string& windowName);

}  // namespace mervanta
