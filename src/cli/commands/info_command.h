#pragma once

#include "framework/command.h"

namespace mervanta {

// The table information report's summary, then one line per column.
class TInfoCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "info"; }
  std::string_view Synopsis() const override { return "TABLE"; }
  std::string_view Summary() const override { return "Show the table's summary and its columns"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
