#include "framework/terminal.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <iostream>

namespace mervanta {

namespace {

// One line from standard input, without its line break; none at the end of input.
std::optional<std::string> ReadLine() {
  std::string line;
  char c = 0;
  while (true) {
    const ssize_t got = ::read(STDIN_FILENO, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return line.empty() ? std::nullopt : std::optional(line);
    if (c == '\n') return line;
    line += c;
  }
}

std::optional<std::string> AskHidden(const std::string& prompt) {
  std::cerr << prompt << std::flush;
  termios saved{};
  const bool echoOff = ::tcgetattr(STDIN_FILENO, &saved) == 0;
  if (echoOff) {
    termios hidden = saved;
    hidden.c_lflag &= ~static_cast<tcflag_t>(ECHO);
    ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &hidden);
  }
  std::optional<std::string> answer = ReadLine();
  if (echoOff) ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
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
