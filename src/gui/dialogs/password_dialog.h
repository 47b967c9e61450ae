#pragma once

#include <QDialog>
#include <string>

class QLineEdit;

namespace mervanta {

// "Set Password": the current password, unless there is none, and the new one twice. OK
// closes only when the current one is right and the new ones agree.
class TSetPasswordForm final : public QDialog {
  Q_OBJECT

 public:
  TSetPasswordForm(QWidget* parent, std::string current);

  // In the code page, once the dialog closed with success.
  std::string NewPassword() const;

  void accept() override;

 private:
  std::string Current_;
  QLineEdit* CurrentEdit_;
  QLineEdit* NewEdit_;
  QLineEdit* RepeatEdit_;
};

// True when the user confirmed a change; the new password is then in `password`.
bool AskNewPassword(QWidget* parent, std::string& password);

}  // namespace mervanta
