#pragma once

class QBoxLayout;
class QWidget;

namespace mervanta {

// A box under its caption, taking an equal share of the row; the caption's mnemonic focuses it.
void AddTitledBox(QBoxLayout& row, const char* caption, QWidget& box);

}  // namespace mervanta
