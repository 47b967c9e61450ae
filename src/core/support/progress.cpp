#include "support/progress.h"

#include <time.h>

#include <string>
#include <utility>

#include "support/errors.h"
#include "support/user_interface.h"

namespace mervanta {

namespace {

constexpr std::uint32_t kWindowDelayMs = 200;
constexpr int kWindowBeforePercent = 31;
constexpr int kStepsBetweenChecks = 20;

std::uint32_t SystemTicks() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

struct TProgressState {
  int Depth = 0;
  int Total = 0;
  int Done = 0;
  std::uint32_t StartTicks = 0;
  bool WindowShown = false;
  int LastShown = -1;
  TCursor SavedCursor = TCursor::Default;
};

// Each thread runs its own loops: one working away from the user's thread shows its progress
// through its own front end (see TThreadUserInterface).
thread_local TProgressState State;
thread_local int BusyCount = 0;
TTickClock Clock = &SystemTicks;
bool WindowAllowed = true;

int Percent() {
  return static_cast<int>(static_cast<long long>(State.Done) * 100 / State.Total);
}

}  // namespace

void TProgress::Begin(int total) {
  if (State.Depth++ > 0) return;
  TUserInterface& ui = UserInterface();
  State.Total = total;
  State.Done = 0;
  State.StartTicks = Clock();
  State.WindowShown = false;
  State.LastShown = -1;
  State.SavedCursor = ui.Cursor();
  ui.SetCursor(TCursor::Hourglass);
}

void TProgress::Step() {
  if (State.Depth == 0) return;
  TUserInterface& ui = UserInterface();
  if (ui.CancelRequested()) throw EOperationAborted();
  if (State.Depth != 1 || State.Total == 0 || !WindowAllowed) return;
  ++State.Done;
  int percent = Percent();
  if (!State.WindowShown && percent < kWindowBeforePercent &&
      State.Done % kStepsBetweenChecks == 0 &&
      static_cast<std::uint32_t>(Clock() - State.StartTicks) >= kWindowDelayMs) {
    // The bar covers only the work that is left.
    State.Total -= State.Done;
    State.Done = 0;
    percent = 0;
    State.WindowShown = true;
    ui.ShowProgress(State.Total);
    if (State.Total == 0) return;
  }
  if (State.WindowShown && percent != State.LastShown) {
    State.LastShown = percent;
    ui.SetProgressText(std::to_string(percent) + "%");
    if (percent % 5 == 0) ui.SetProgressPosition(State.Done);
  }
}

void TProgress::End() {
  if (State.Depth == 0 || --State.Depth > 0) return;
  TUserInterface& ui = UserInterface();
  ui.SetCursor(State.SavedCursor);
  if (State.WindowShown) ui.CloseProgress();
  State = TProgressState();
}

bool TProgress::IsRunning() {
  return State.Depth > 0;
}

void TProgress::BeginBusy() {
  if (BusyCount++ == 0) UserInterface().SetCursor(TCursor::Hourglass);
}

void TProgress::EndBusy() {
  if (BusyCount == 0) return;
  if (--BusyCount == 0) UserInterface().SetCursor(TCursor::Default);
}

void TProgress::SetWindowEnabled(bool enabled) {
  WindowAllowed = enabled;
}

bool TProgress::WindowEnabled() {
  return WindowAllowed;
}

TTickClock TProgress::SetClock(TTickClock clock) {
  return std::exchange(Clock, clock != nullptr ? clock : &SystemTicks);
}

}  // namespace mervanta
