#pragma once

#include <ostream>
#include <span>
#include <string>

#include "framework/command.h"

namespace mervanta {

// The tool from its command line to its exit status: the global options, the help, the
// settings, the terminal front end and the command, with every failure reported on the
// error stream.
class TCliApplication {
 public:
  TCliApplication(std::ostream& out, std::ostream& err, TTerminal terminal)
      : Out_(out), Err_(err), Terminal_(std::move(terminal)) {}

  // The words after the program's name.
  int Run(std::span<const std::string> words);

 private:
  int RunCommand(std::span<const std::string> words, const TGlobalOptions& leading);
  int RunWithContext(const TCommand& command, const TArguments& arguments,
                     const TGlobalOptions& globals);

  std::ostream& Out_;
  std::ostream& Err_;
  TTerminal Terminal_;
};

}  // namespace mervanta
