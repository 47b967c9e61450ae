#include "dialogs/titled_box.h"

#include <QLabel>
#include <QVBoxLayout>

namespace mervanta {

void AddTitledBox(QBoxLayout& row, const char* caption, QWidget& box) {
  auto* column = new QVBoxLayout;
  auto* label = new QLabel(QString::fromLatin1(caption));
  label->setBuddy(&box);
  column->addWidget(label);
  column->addWidget(&box, 1);
  row.addLayout(column, 1);
}

}  // namespace mervanta
