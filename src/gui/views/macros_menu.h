#pragma once

class QLineEdit;
class QMenu;

namespace mervanta {

// Lets an edit offer the date and time macros: a button at its end opens the menu of the
// eight macros ("$Date$", "$Time$", …), and choosing one replaces the edit's selection with it.
void OfferMacros(QLineEdit& edit);

// The menu itself, made once for the edit on first use.
QMenu& MacrosMenu(QLineEdit& edit);

}  // namespace mervanta
