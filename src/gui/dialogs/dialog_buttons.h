#pragma once

#include <QDialogButtonBox>
#include <string>

class QBoxLayout;
class QDialog;
class QPushButton;

namespace mervanta {

// The bottom row of a dialog: its help button, then the buttons, which accept or reject it.
QDialogButtonBox* AddDialogButtons(QDialog& dialog, QBoxLayout& layout, const std::string& topic,
                                   QDialogButtonBox::StandardButtons buttons);

// The bottom row of a dialog that runs one command: its help button, the command's default
// button (named `name`, not closing the dialog by itself) and Cancel.
QPushButton* AddCommandButtons(QDialog& dialog, QBoxLayout& layout, const std::string& topic,
                               const QString& caption, const QString& name);

}  // namespace mervanta
