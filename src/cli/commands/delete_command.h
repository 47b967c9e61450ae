#pragma once

#include "framework/command.h"

namespace mervanta {

// Records of "All" by their positions, taken out of every list before they are freed.
class TDeleteCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "delete"; }
  std::string_view Synopsis() const override { return "TABLE INDEX..."; }
  std::string_view Summary() const override { return "Delete records by their positions"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
