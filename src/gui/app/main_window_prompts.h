#pragma once

#include "app/main_window.h"

namespace mervanta {

// The password box and the file dialogs of the desktop.
TMainWindow::TPrompts DefaultPrompts(QWidget* parent);

}  // namespace mervanta
