#pragma once

#include "framework/command.h"

namespace mervanta {

// A formula computed as a virtual column would compute it, for every record of "All".
class TEvalCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "eval"; }
  std::string_view Synopsis() const override { return "TABLE|- FORMULA"; }
  std::string_view Summary() const override { return "Print a formula's result for every record"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
