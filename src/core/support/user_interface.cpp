#include "support/user_interface.h"

#include <utility>

namespace mervanta {

namespace {

class TSilentUserInterface final : public TUserInterface {
 public:
  TCursor Cursor() const override { return Cursor_; }
  void SetCursor(TCursor cursor) override { Cursor_ = cursor; }
  void ShowProgress(int) override {}
  void SetProgressText(const std::string&) override {}
  void SetProgressPosition(int) override {}
  void CloseProgress() override {}
  TAnswer ShowMessage(const std::string&, const std::string&, TButtons buttons, TIcon) override {
    switch (buttons) {
      case TButtons::Ok:
        return TAnswer::Ok;
      case TButtons::OkCancel:
        return TAnswer::Cancel;
      case TButtons::YesNo:
        return TAnswer::No;
      case TButtons::YesNoCancel:
        return TAnswer::Cancel;
    }
    return TAnswer::Cancel;
  }
  void Beep() override {}

 private:
  TCursor Cursor_ = TCursor::Default;
};

TSilentUserInterface& Silent() {
  static TSilentUserInterface silent;
  return silent;
}

TUserInterface* Installed = nullptr;
thread_local TUserInterface* ThreadOwn = nullptr;

std::string& Title() {
  static std::string title = "Mervanta";
  return title;
}

}  // namespace

TUserInterface& UserInterface() {
  if (ThreadOwn != nullptr) return *ThreadOwn;
  return Installed != nullptr ? *Installed : Silent();
}

TUserInterface* InstallUserInterface(TUserInterface* userInterface) {
  return std::exchange(Installed, userInterface);
}

TThreadUserInterface::TThreadUserInterface(TUserInterface& userInterface)
    : Previous_(std::exchange(ThreadOwn, &userInterface)) {}

TThreadUserInterface::~TThreadUserInterface() {
  ThreadOwn = Previous_;
}

const std::string& ApplicationTitle() {
  return Title();
}

void SetApplicationTitle(std::string title) {
  Title() = std::move(title);
}

std::string CompleteMessageText(std::string text) {
  if (!text.empty()) {
    auto last = static_cast<unsigned char>(text.back());
    if (last > '.' && last != '?') text += '.';
  }
  return text;
}

TAnswer ShowMessageBox(const std::string& text, const std::string& caption, TButtons buttons,
                       TIcon icon) {
  return UserInterface().ShowMessage(CompleteMessageText(text),
                                     caption.empty() ? ApplicationTitle() : caption, buttons, icon);
}

}  // namespace mervanta
