#include "dialogs/password_dialog.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "dialogs/error_box.h"
#include "settings/qt_values.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/user_interface.h"

namespace mervanta {

namespace {

QLineEdit* PasswordEdit(QWidget* parent, const char* name) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setEchoMode(QLineEdit::Password);
  return edit;
}

}  // namespace

TSetPasswordForm::TSetPasswordForm(QWidget* parent, std::string current)
    : QDialog(parent),
      Current_(std::move(current)),
      CurrentEdit_(PasswordEdit(this, "Current")),
      NewEdit_(PasswordEdit(this, "New")),
      RepeatEdit_(PasswordEdit(this, "Repeat")) {
  setObjectName(QStringLiteral("SetPasswordForm"));
  setWindowTitle(QStringLiteral("Set Password"));
  auto* layout = new QVBoxLayout(this);
  auto* warning = new QLabel(QStringLiteral("WARNING! Be careful when setting a password. Not "
                                            "even the program author can restore it once "
                                            "forgotten."),
                             this);
  warning->setObjectName(QStringLiteral("Warning"));
  warning->setWordWrap(true);
  layout->addWidget(warning);

  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("Enter current password"), CurrentEdit_);
  form->addRow(QStringLiteral("Enter new password"), NewEdit_);
  form->addRow(QStringLiteral("Repeat new password"), RepeatEdit_);
  layout->addLayout(form);
  if (Current_.empty()) {
    CurrentEdit_->setEnabled(false);
    form->labelForField(CurrentEdit_)->setEnabled(false);
    CurrentEdit_->setBackgroundRole(QPalette::Window);
  }
  auto* note = new QLabel(QStringLiteral("To remove password, set new password as empty."), this);
  layout->addWidget(note);

  AddDialogButtons(*this, *layout, "password", QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  (Current_.empty() ? NewEdit_ : CurrentEdit_)->setFocus();
}

std::string TSetPasswordForm::NewPassword() const {
  return Utf8ToAnsi(NewEdit_->text().toStdString());
}

void TSetPasswordForm::accept() {
  RunShowingErrors([this] {
    if (Utf8ToAnsi(CurrentEdit_->text().toStdString()) != Current_) {
      throw EMervantaError("Invalid password");
    }
    if (NewEdit_->text() != RepeatEdit_->text()) {
      throw EMervantaError("The passwords are different. Typing error.");
    }
    ShowMessageBox("Password change successful. Please save the table", "Information");
    QDialog::accept();
  });
}

bool AskNewPassword(QWidget* parent, std::string& password) {
  TSetPasswordForm form(parent, password);
  if (form.exec() != QDialog::Accepted) return false;
  password = form.NewPassword();
  return true;
}

}  // namespace mervanta
