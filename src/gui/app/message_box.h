#pragma once

#include <string>
#include <string_view>

#include "support/user_interface.h"

class QWidget;

namespace mervanta {

// A message ending in a letter, a digit or a colon gets a full stop; one ending in "?", ".",
// "!", ")" or a quote is left as it is.
std::string WithFullStop(std::string text);

// The program's message box: the full-stop rule, the application's title for an empty
// caption, the buttons and icon asked; answers the button pressed (closing the box answers
// the last button, Cancel or No).
TAnswer ShowMessageBox(QWidget* parent, std::string_view text, std::string_view caption,
                       TButtons buttons, TIcon icon);

}  // namespace mervanta
