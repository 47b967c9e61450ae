#pragma once

#include <functional>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "framework/cell_text.h"

namespace mervanta {

// The options every command takes.
struct TGlobalOptions {
  // The settings file; the desktop program's when not given.
  std::optional<std::string> OptionsFile;
  std::optional<std::string> Password;
  // Where the password's line is read, "-" for standard input; excludes Password.
  std::optional<std::string> PasswordFile;
  // The answer to the questions the core asks; no when not given.
  bool Yes = false;
  bool Raw = false;
  bool Quiet = false;
};

// What the tool knows of where it runs. The binary fills it from its descriptors; tests
// make one up.
struct TTerminal {
  bool OutIsTerminal = false;
  bool ErrIsTerminal = false;
  // Asks on the terminal without echo; null when there is no terminal to ask on. The answer
  // is empty when the user gave up (end of input).
  std::function<std::optional<std::string>(const std::string& prompt)> AskHidden;
};

// Everything a command talks to: data goes to Out, messages to Err.
class TCliContext {
 public:
  TCliContext(std::ostream& out, std::ostream& err, TTerminal terminal, TGlobalOptions globals)
      : Out_(out),
        Err_(err),
        Terminal_(std::move(terminal)),
        Globals_(std::move(globals)),
        Text_(Globals_.Raw ? TCellBytes::Raw : TCellBytes::Converted) {}

  std::ostream& Out() const { return Out_; }
  std::ostream& Err() const { return Err_; }
  const TTerminal& Terminal() const { return Terminal_; }
  const TGlobalOptions& Globals() const { return Globals_; }
  const TCellText& Text() const { return Text_; }

  // A message for the user on Err, unless --quiet.
  void Inform(std::string_view text) const {
    if (!Globals_.Quiet) Err_ << Text_.Message(text) << '\n';
  }

 private:
  std::ostream& Out_;
  std::ostream& Err_;
  TTerminal Terminal_;
  TGlobalOptions Globals_;
  TCellText Text_;
};

}  // namespace mervanta
