#include "framework/terminal_user_interface.h"

#include <algorithm>
#include <ostream>

namespace mervanta {

namespace {

constexpr int kBarWidth = 30;

}  // namespace

TTerminalUserInterface::TTerminalUserInterface(const TCliContext& context)
    : Context_(context), Installation_(*this) {}

TTerminalUserInterface::~TTerminalUserInterface() {
  CloseProgress();
}

void TTerminalUserInterface::SetCursor(TCursor cursor) {
  Cursor_ = cursor;
  TInterruptCancel::SetBusy(cursor == TCursor::Hourglass);
}

bool TTerminalUserInterface::OnTerminal() const {
  return Context_.Terminal().ErrIsTerminal && !Context_.Globals().Quiet;
}

void TTerminalUserInterface::ShowProgress(int maximum) {
  if (!OnTerminal()) return;
  ProgressShown_ = true;
  Maximum_ = maximum;
  Position_ = 0;
  ProgressText_ = "0%";
  DrawProgress();
}

void TTerminalUserInterface::SetProgressText(const std::string& text) {
  if (!ProgressShown_) return;
  ProgressText_ = text;
  DrawProgress();
}

void TTerminalUserInterface::SetProgressPosition(int position) {
  if (!ProgressShown_) return;
  Position_ = position;
  DrawProgress();
}

void TTerminalUserInterface::DrawProgress() {
  const int filled =
      Maximum_ > 0 ? static_cast<int>(static_cast<long long>(std::clamp(Position_, 0, Maximum_)) *
                                      kBarWidth / Maximum_)
                   : 0;
  std::ostream& err = Context_.Err();
  err << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
      << std::string(static_cast<std::size_t>(kBarWidth - filled), '.') << "] " << ProgressText_
      << "   " << std::flush;
}

void TTerminalUserInterface::CloseProgress() {
  if (!ProgressShown_) return;
  ProgressShown_ = false;
  // Blank the bar's line so that what follows starts clean.
  Context_.Err() << '\r' << std::string(kBarWidth + 12, ' ') << '\r' << std::flush;
}

TAnswer TTerminalUserInterface::ShowMessage(const std::string& text, const std::string&,
                                            TButtons buttons, TIcon icon) {
  const bool yes = Context_.Globals().Yes;
  TAnswer answer = TAnswer::Ok;
  switch (buttons) {
    case TButtons::Ok:
      break;
    case TButtons::OkCancel:
      answer = yes ? TAnswer::Ok : TAnswer::Cancel;
      break;
    case TButtons::YesNo:
    case TButtons::YesNoCancel:
      answer = yes ? TAnswer::Yes : TAnswer::No;
      break;
  }
  const bool question = buttons != TButtons::Ok;
  if (question) {
    Context_.Inform(text + (yes ? " [answered yes]" : " [answered no]"));
  } else if (icon == TIcon::Warning || icon == TIcon::Error) {
    Context_.Err() << Context_.Text().Message(text) << '\n';
  } else {
    Context_.Inform(text);
  }
  return answer;
}

void TTerminalUserInterface::Beep() {
  if (OnTerminal()) Context_.Err() << '\a' << std::flush;
}

}  // namespace mervanta
