#pragma once

#include "framework/command.h"

namespace mervanta {

// The records of delimited files appended to the table as the desktop program imports them.
class TImportCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "import"; }
  std::string_view Synopsis() const override { return "TABLE FILE..."; }
  std::string_view Summary() const override { return "Import the records of delimited files"; }
  std::string_view Details() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
