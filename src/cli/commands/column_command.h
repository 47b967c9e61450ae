#pragma once

#include "framework/command.h"

namespace mervanta {

// The table's columns added, deleted, moved and set, as the table properties dialog does.
class TColumnCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "column"; }
  std::string_view Synopsis() const override {
    return "TABLE add NAME | add-virtual NAME FORMULA | delete C |\n"
           "         move C INDEX | set C PROPERTY VALUE";
  }
  std::string_view Summary() const override { return "Change the table's columns"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
