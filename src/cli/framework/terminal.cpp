#include "framework/terminal.h"

#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <iostream>

#include "framework/password_input.h"

namespace mervanta {

namespace {

// The signals that end the process while it waits for the hidden answer.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

// The terminal's settings before the echo went off, for the signal handler to put back.
termios SavedSettings{};

extern "C" void RestoreEchoAndEnd(int signal) {
  ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &SavedSettings);
  [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, "\n", 1);
  // The handler was reset on entry, so the signal raised again ends the process as it would
  // have without one, and the shell sees the usual status.
  ::raise(signal);
}

// Turns the echo of standard input off while it lives. A signal that ends the process
// meanwhile turns it on again first, so that an interrupted prompt leaves no silent terminal.
class THiddenInput {
 public:
  THiddenInput() {
    Active_ = ::tcgetattr(STDIN_FILENO, &SavedSettings) == 0;
    if (!Active_) return;
    struct sigaction action {};
    action.sa_handler = &RestoreEchoAndEnd;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : kEndingSignals) sigaddset(&action.sa_mask, signal);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      ::sigaction(kEndingSignals[i], &action, &Previous_[i]);
      // A signal the process was told to ignore, as nohup does, stays ignored.
      if (Previous_[i].sa_handler == SIG_IGN) {
        ::sigaction(kEndingSignals[i], &Previous_[i], nullptr);
      }
    }
    termios hidden = SavedSettings;
    hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
  }
  ~THiddenInput() {
    if (!Active_) return;
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &SavedSettings);
    for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
      ::sigaction(kEndingSignals[i], &Previous_[i], nullptr);
    }
  }
  THiddenInput(const THiddenInput&) = delete;
  THiddenInput& operator=(const THiddenInput&) = delete;

 private:
  bool Active_ = false;
  struct sigaction Previous_[std::size(kEndingSignals)]{};
};

std::optional<std::string> AskHidden(const std::string& prompt) {
  std::cerr << prompt << std::flush;
  std::optional<std::string> answer;
  {
    const THiddenInput hidden;
    answer = ReadPasswordLine(STDIN_FILENO, "the terminal");
  }
  std::cerr << '\n';
  return answer;
}

}  // namespace

TTerminal ProcessTerminal() {
  TTerminal terminal;
  terminal.OutIsTerminal = ::isatty(STDOUT_FILENO) == 1;
  terminal.ErrIsTerminal = ::isatty(STDERR_FILENO) == 1;
  if (::isatty(STDIN_FILENO) == 1) terminal.AskHidden = &AskHidden;
  return terminal;
}

}  // namespace mervanta
