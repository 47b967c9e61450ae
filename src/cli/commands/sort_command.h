#pragma once

#include "framework/command.h"

namespace mervanta {

// "All" sorted as the desktop program's list heading sorts it, and saved in that order.
class TSortCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "sort"; }
  std::string_view Synopsis() const override { return "TABLE --by C [--by C]... [--desc]"; }
  std::string_view Summary() const override {
    return "Sort the records and save them in that order";
  }
  std::string_view Details() const override;
  std::span<const std::span<const TOptionSpec>> Options() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
