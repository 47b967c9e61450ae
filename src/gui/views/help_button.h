#pragma once

#include <string>

class QBoxLayout;
class QWidget;

namespace mervanta {

// Puts the flat "Online Help" button of a dialog into the layout, opening the topic's page
// with the button or F1; nothing when the program offers no help.
void AddHelpButton(QWidget& dialog, QBoxLayout& layout, const std::string& topic);

}  // namespace mervanta
