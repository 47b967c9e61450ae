#include "dialogs/dialog_buttons.h"

#include <QBoxLayout>
#include <QDialog>

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

}  // namespace mervanta
