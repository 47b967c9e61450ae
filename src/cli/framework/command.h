#pragma once

#include <span>
#include <string_view>

#include "framework/arguments.h"
#include "framework/cli_context.h"

namespace mervanta {

// The exit statuses of the tool.
inline constexpr int kExitSuccess = 0;
// Nothing was found, or the table's rules refused the change.
inline constexpr int kExitNothing = 1;
inline constexpr int kExitError = 2;

// One subcommand. It reads its arguments, does its work through the core and writes to the
// context's streams; failures are exceptions, which the application reports.
class TCommand {
 public:
  virtual ~TCommand() = default;

  virtual std::string_view Name() const = 0;
  // The arguments after the name, as the usage line shows them.
  virtual std::string_view Synopsis() const = 0;
  // One line for the tool's list of commands.
  virtual std::string_view Summary() const = 0;
  // More text for the command's own help; may be empty.
  virtual std::string_view Details() const { return {}; }
  // Besides the global options, which every command takes.
  virtual std::span<const std::span<const TOptionSpec>> Options() const { return {}; }

  virtual int Run(TCliContext& context, const TArguments& arguments) const = 0;
};

}  // namespace mervanta
