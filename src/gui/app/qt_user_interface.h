#pragma once

#include <memory>

#include "support/user_interface.h"

namespace mervanta {

class TProgressWindow;

// The core's questions, messages, wait cursor and progress shown with the desktop's windows.
class TQtUserInterface final : public TUserInterface {
 public:
  TQtUserInterface();
  ~TQtUserInterface() override;

  TCursor Cursor() const override { return Cursor_; }
  void SetCursor(TCursor cursor) override;
  void ShowProgress(int maximum) override;
  void SetProgressText(const std::string& text) override;
  void SetProgressPosition(int position) override;
  void CloseProgress() override;
  TAnswer ShowMessage(const std::string& text, const std::string& caption, TButtons buttons,
                      TIcon icon) override;
  void Beep() override;

 private:
  TCursor Cursor_ = TCursor::Default;
  std::unique_ptr<TProgressWindow> Progress_;
};

}  // namespace mervanta
