#include "dialogs/table_option_boxes.h"

#include <QBoxLayout>
#include <QCheckBox>

#include "model/table_options.h"
#include "settings/qt_values.h"

namespace mervanta {

TTableOptionBoxes::TTableOptionBoxes(QWidget& parent, QBoxLayout& layout, TTableOptions& options) {
  for (TBooleanProperty* property : {options.AllowEmpty, options.NoEquals, options.InsertFirst,
                                     options.NoTrim, options.DenySort}) {
    auto* box = new QCheckBox(QString::fromStdString(property->Caption()), &parent);
    box->setObjectName(QString::fromStdString(property->Name()));
    box->setChecked(property->Value());
    layout.addWidget(box);
    Boxes_.emplace_back(box, property);
  }
}

void TTableOptionBoxes::Write() const {
  for (const auto& [box, property] : Boxes_) property->SetValue(box->isChecked());
}

void TTableOptionBoxes::SetEnabled(bool enabled) const {
  for (const auto& [box, property] : Boxes_) box->setEnabled(enabled);
}

}  // namespace mervanta
