#include "settings/radio_group.h"

#include <QButtonGroup>
#include <QRadioButton>
#include <QVBoxLayout>

namespace mervanta {

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), Buttons_(new QButtonGroup(this)) {
  new QVBoxLayout(this);
}

void TRadioGroup::SetItems(const QStringList& items) {
  for (QAbstractButton* button : Buttons_->buttons()) delete button;
  for (int index = 0; index < items.size(); ++index) {
    auto* button = new QRadioButton(items[index], this);
    Buttons_->addButton(button, index);
    layout()->addWidget(button);
  }
}

int TRadioGroup::ItemCount() const {
  return static_cast<int>(Buttons_->buttons().size());
}

int TRadioGroup::ItemIndex() const {
  return Buttons_->checkedId();
}

void TRadioGroup::SetItemIndex(int index) {
  if (QAbstractButton* button = Buttons_->button(index)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = Buttons_->checkedButton()) {
    // An exclusive group keeps one button checked unless it lets go for a moment.
    Buttons_->setExclusive(false);
    checked->setChecked(false);
    Buttons_->setExclusive(true);
  }
}

}  // namespace mervanta
