#pragma once

#include "framework/command.h"

namespace mervanta {

// The column statistics of the table information report.
class TStatsCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "stats"; }
  std::string_view Synopsis() const override { return "TABLE"; }
  std::string_view Summary() const override { return "Show the statistics of every column"; }
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
