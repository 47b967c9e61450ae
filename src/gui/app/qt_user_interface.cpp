#include "app/qt_user_interface.h"

#include <QApplication>
#include <QThread>

#include "app/message_box.h"
#include "app/progress_window.h"

namespace mervanta {

namespace {

// The finished bar stays in view for a moment, so a long operation does not end in a flicker.
constexpr int kLastLookMs = 10;

}  // namespace

TQtUserInterface::TQtUserInterface() = default;

TQtUserInterface::~TQtUserInterface() {
  SetCursor(TCursor::Default);
}

void TQtUserInterface::SetCursor(TCursor cursor) {
  if (cursor == Cursor_) return;
  Cursor_ = cursor;
  if (cursor == TCursor::Hourglass) {
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
}

void TQtUserInterface::ShowProgress(int maximum) {
  Progress_ = std::make_unique<TProgressWindow>(maximum);
}

void TQtUserInterface::SetProgressText(const std::string& text) {
  if (Progress_ != nullptr) Progress_->SetText(QString::fromStdString(text));
}

void TQtUserInterface::SetProgressPosition(int position) {
  if (Progress_ != nullptr) Progress_->SetPosition(position);
}

void TQtUserInterface::CloseProgress() {
  if (Progress_ == nullptr) return;
  Progress_->Flush();
  QThread::msleep(kLastLookMs);
  Progress_.reset();
}

TAnswer TQtUserInterface::ShowMessage(const std::string& text, const std::string& caption,
                                      TButtons buttons, TIcon icon) {
  // A question must not wait behind the wait cursor.
  const bool busy = Cursor_ == TCursor::Hourglass;
  if (busy) QApplication::setOverrideCursor(Qt::ArrowCursor);
  const TAnswer answer = ShowMessageBox(nullptr, text, caption, buttons, icon);
  if (busy) QApplication::restoreOverrideCursor();
  return answer;
}

void TQtUserInterface::Beep() {
  QApplication::beep();
}

}  // namespace mervanta
