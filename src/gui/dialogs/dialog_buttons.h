#pragma once

#include <QDialogButtonBox>
#include <string>

class QBoxLayout;
class QDialog;

namespace mervanta {

// The bottom row of a dialog: its help button, then the buttons, which accept or reject it.
QDialogButtonBox* AddDialogButtons(QDialog& dialog, QBoxLayout& layout, const std::string& topic,
                                   QDialogButtonBox::StandardButtons buttons);

}  // namespace mervanta
