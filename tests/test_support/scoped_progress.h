#pragma once

#include "support/progress.h"

namespace mervanta::test {

// A progress clock of the test's own for a scope; the clock and the window switch are as
// they were afterwards, however the test ends.
class TScopedProgress {
 public:
  explicit TScopedProgress(TTickClock clock)
      : WindowEnabled_(TProgress::WindowEnabled()), Clock_(TProgress::SetClock(clock)) {}
  ~TScopedProgress() {
    TProgress::SetClock(Clock_);
    TProgress::SetWindowEnabled(WindowEnabled_);
  }
  TScopedProgress(const TScopedProgress&) = delete;
  TScopedProgress& operator=(const TScopedProgress&) = delete;

 private:
  bool WindowEnabled_;
  TTickClock Clock_;
};

}  // namespace mervanta::test
