#pragma once

#include "framework/command.h"

namespace mervanta {

// One of the table's own options switched on or off.
class TOptionCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "option"; }
  std::string_view Synopsis() const override { return "TABLE NAME Y|N"; }
  std::string_view Summary() const override { return "Set one of the table's options"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
