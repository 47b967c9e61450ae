#include "framework/interrupt_cancel.h"

#include <atomic>

namespace mervanta {

namespace {

std::atomic<bool> BusyFlag{false};
std::atomic<bool> RequestedFlag{false};

static_assert(std::atomic<bool>::is_always_lock_free, "the signal handler needs lock-free flags");

extern "C" void RequestCancel(int signal) {
  if (BusyFlag.load() && !RequestedFlag.exchange(true)) return;
  // Not within a loop, or asked twice: end as the interrupt would have without a handler,
  // so that the shell sees the usual status.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

}  // namespace

TInterruptCancel::TInterruptCancel() {
  RequestedFlag.store(false);
  BusyFlag.store(false);
  struct sigaction action {};
  action.sa_handler = &RequestCancel;
  sigemptyset(&action.sa_mask);
  if (::sigaction(SIGINT, &action, &Previous_) != 0) return;
  Installed_ = true;
  if (Previous_.sa_handler == SIG_IGN) {
    ::sigaction(SIGINT, &Previous_, nullptr);
    Installed_ = false;
  }
}

TInterruptCancel::~TInterruptCancel() {
  if (Installed_) ::sigaction(SIGINT, &Previous_, nullptr);
  BusyFlag.store(false);
}

void TInterruptCancel::SetBusy(bool busy) {
  BusyFlag.store(busy);
}

bool TInterruptCancel::Requested() {
  return RequestedFlag.load();
}

}  // namespace mervanta
