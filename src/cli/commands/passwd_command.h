#pragma once

#include "framework/command.h"

namespace mervanta {

// The password that protects the table's data file set, changed or removed.
class TPasswdCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "passwd"; }
  std::string_view Synopsis() const override { return "TABLE [--new TEXT]"; }
  std::string_view Summary() const override { return "Set, change or remove the password"; }
  std::string_view Details() const override;
  std::span<const std::span<const TOptionSpec>> Options() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
