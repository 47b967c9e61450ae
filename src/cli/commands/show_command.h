#pragma once

#include "framework/command.h"

namespace mervanta {

// The records of "All", as they are or sorted.
class TShowCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "show"; }
  std::string_view Synopsis() const override {
    return "TABLE [--columns C,...] [--sort C]... [--desc] [--format table|csv|tsv] [--header]";
  }
  std::string_view Summary() const override { return "Print the records of the table"; }
  std::string_view Details() const override;
  std::span<const std::span<const TOptionSpec>> Options() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
