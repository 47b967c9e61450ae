#pragma once

#include <string>

#include "framework/cli_context.h"
#include "framework/interrupt_cancel.h"
#include "support/user_interface.h"

namespace mervanta {

// The core's front end in a terminal, installed while it lives: messages on the error
// stream (information only without --quiet), questions answered by --yes or --no, and a
// progress bar only when the error stream is a terminal. There is no cursor to change, but
// while the core shows it busy an interrupt (Ctrl+C) asks its loop to stop.
class TTerminalUserInterface final : public TUserInterface {
 public:
  explicit TTerminalUserInterface(const TCliContext& context);
  ~TTerminalUserInterface() override;
  TTerminalUserInterface(const TTerminalUserInterface&) = delete;
  TTerminalUserInterface& operator=(const TTerminalUserInterface&) = delete;

  TCursor Cursor() const override { return Cursor_; }
  void SetCursor(TCursor cursor) override;

  void ShowProgress(int maximum) override;
  void SetProgressText(const std::string& text) override;
  void SetProgressPosition(int position) override;
  void CloseProgress() override;

  bool CancelRequested() override { return TInterruptCancel::Requested(); }

  TAnswer ShowMessage(const std::string& text, const std::string& caption, TButtons buttons,
                      TIcon icon) override;
  void Beep() override;

 private:
  // The bar and the bell reach only a person at a terminal, and --quiet silences both.
  bool OnTerminal() const;
  void DrawProgress();

  const TCliContext& Context_;
  TInterruptCancel Interrupt_;
  TUserInterfaceInstallation Installation_;
  TCursor Cursor_ = TCursor::Default;
  bool ProgressShown_ = false;
  int Maximum_ = 0;
  int Position_ = 0;
  std::string ProgressText_;
};

}  // namespace mervanta
