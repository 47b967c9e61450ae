#pragma once

#include "framework/command.h"

namespace mervanta {

// One new record, accepted or refused by the same rules as the desktop program's card.
class TAddCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "add"; }
  std::string_view Synopsis() const override { return "TABLE [VALUE]..."; }
  std::string_view Summary() const override { return "Add a record as the card adds it"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
