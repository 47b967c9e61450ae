#pragma once

#include "framework/command.h"

namespace mervanta {

// A quick search, a search by conditions or the search for repeating records over "All";
// prints what it found and exits 1 when that is nothing.
class TSearchCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "search"; }
  std::string_view Synopsis() const override {
    return "TABLE (--quick TEXT | --where \"COLUMN OPERATOR TEXT\"... [--any] [--case] |\n"
           "         --repeating [--columns C,...] [--any-field] [--case] [--keep-empty]\n"
           "         [--only-recurrences]) [--sort C]... [--desc] [--format F] [--header]";
  }
  std::string_view Summary() const override { return "Print the records a search finds"; }
  std::string_view Details() const override;
  std::span<const std::span<const TOptionSpec>> Options() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
