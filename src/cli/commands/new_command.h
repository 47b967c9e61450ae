#pragma once

#include "framework/command.h"

namespace mervanta {

// A table of stored columns, saved at once.
class TNewCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "new"; }
  std::string_view Synopsis() const override { return "TABLE COLUMN..."; }
  std::string_view Summary() const override { return "Create a table with these columns"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
