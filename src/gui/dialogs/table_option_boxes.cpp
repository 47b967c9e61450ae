#include "dialogs/table_option_boxes.h"

#include <QBoxLayout>
#include <QCheckBox>

#include "model/table_options.h"

namespace mervanta {

TTableOptionBoxes::TTableOptionBoxes(QWidget& parent, QBoxLayout& layout, TTableOptions& options) {
  for (TBooleanProperty* property : {options.AllowEmpty, options.NoEquals, options.InsertFirst,
                                     options.NoTrim, options.DenySort}) {
    auto* box = new QCheckBox(&parent);
    box->setObjectName(QString::fromStdString(property->Name()));
    View_.BindCheckBox(*property, *box);
    layout.addWidget(box);
    Boxes_.push_back(box);
  }
}

void TTableOptionBoxes::Write() {
  View_.ApplyAll();
}

void TTableOptionBoxes::SetEnabled(bool enabled) const {
  for (QCheckBox* box : Boxes_) box->setEnabled(enabled);
}

}  // namespace mervanta
