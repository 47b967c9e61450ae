#include "dialogs/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>
#include <QPushButton>

#include "views/help_button.h"

namespace mervanta {

QDialogButtonBox* AddDialogButtons(QDialog& dialog, QBoxLayout& layout, const std::string& topic,
                                   QDialogButtonBox::StandardButtons buttons) {
  auto* box = new QDialogButtonBox(buttons, &dialog);
  box->setObjectName(QStringLiteral("Buttons"));
  QObject::connect(box, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  QObject::connect(box, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  auto* bottom = new QHBoxLayout;
  AddHelpButton(dialog, *bottom, topic);
  bottom->addWidget(box, 1);
  layout.addLayout(bottom);
  return box;
}

QPushButton* AddCommandButtons(QDialog& dialog, QBoxLayout& layout, const std::string& topic,
                               const QString& caption, const QString& name) {
  QDialogButtonBox* box = AddDialogButtons(dialog, layout, topic, QDialogButtonBox::Cancel);
  QPushButton* button = box->addButton(caption, QDialogButtonBox::ActionRole);
  button->setObjectName(name);
  button->setDefault(true);
  return button;
}

}  // namespace mervanta
