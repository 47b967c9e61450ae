#pragma once

#include <cstdint>

namespace mervanta {

// Milliseconds from an arbitrary start; tests put in a clock of their own.
using TTickClock = std::uint32_t (*)();

// The progress of the one long loop the calling thread runs now: the wait cursor for the whole loop
// and, only when the loop turns out to be long, the "Executing" window with a percentage and a bar.
// A loop that finishes within 200 ms, or is past 30 % when they have passed, shows no window.
class TProgress {
 public:
  // Brackets one loop of `total` steps. A bracket opened inside a running one is ignored
  // together with its steps, so a routine that reports progress may be called from another.
  static void Begin(int total);
  // Throws EOperationAborted when the front end asks to cancel, at any depth, so that every
  // loop that reports progress can be stopped; such a loop leaves its data unchanged.
  static void Step();
  static void End();
  static bool IsRunning();

  // The nesting wait cursor of short operations that need no window.
  static void BeginBusy();
  static void EndBusy();

  // Whether a long loop may show the window at all; the wait cursor shows regardless. The
  // owner of the options keeps it in step with them.
  static void SetWindowEnabled(bool enabled);
  static bool WindowEnabled();

  // nullptr goes back to the system's monotonic clock; answers the clock used before.
  static TTickClock SetClock(TTickClock clock);
};

// Begin on construction, End on destruction, so a failing loop still restores the cursor.
class TProgressScope {
 public:
  explicit TProgressScope(int total) { TProgress::Begin(total); }
  ~TProgressScope() { TProgress::End(); }
  TProgressScope(const TProgressScope&) = delete;
  TProgressScope& operator=(const TProgressScope&) = delete;
};

class TBusyScope {
 public:
  TBusyScope() { TProgress::BeginBusy(); }
  ~TBusyScope() { TProgress::EndBusy(); }
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;
};

}  // namespace mervanta
