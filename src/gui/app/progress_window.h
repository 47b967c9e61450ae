#pragma once

#include <QFrame>

class QLabel;
class QProgressBar;

namespace mervanta {

// The small "Executing" window of a long operation. The operation runs on the user-interface
// thread, so the window repaints itself at every change instead of waiting for the event
// loop, and takes no input.
class TProgressWindow final : public QFrame {
 public:
  explicit TProgressWindow(int maximum);

  void SetText(const QString& text);
  void SetPosition(int position);
  // Paints at once what changed.
  void Flush();

 private:
  QLabel* Percent_;
  QProgressBar* Bar_;
};

}  // namespace mervanta
