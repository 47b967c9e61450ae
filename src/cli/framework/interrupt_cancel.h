#pragma once

#include <signal.h>

namespace mervanta {

// Ctrl+C while the core runs a long loop asks that loop to stop, so the command ends with
// "Operation aborted" and its table unchanged. At any other moment, and at the second Ctrl+C,
// the interrupt ends the process as usual. Installed while it lives; a process told to
// ignore interrupts (as nohup does) keeps ignoring them.
class TInterruptCancel {
 public:
  TInterruptCancel();
  ~TInterruptCancel();
  TInterruptCancel(const TInterruptCancel&) = delete;
  TInterruptCancel& operator=(const TInterruptCancel&) = delete;

  // Whether a loop runs now that an interrupt should stop.
  static void SetBusy(bool busy);
  static bool Requested();

 private:
  bool Installed_ = false;
  struct sigaction Previous_ {};
};

}  // namespace mervanta
