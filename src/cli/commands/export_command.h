#pragma once

#include "framework/command.h"

namespace mervanta {

// The records of "All" written to a file by the exporter, or as the print page.
class TExportCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "export"; }
  std::string_view Synopsis() const override {
    return "TABLE --format csv|txt|html|xls|ini|xml|dbf --output FILE\n"
           "         [--print] [--card] [--columns C,...]";
  }
  std::string_view Summary() const override { return "Export the records to a file"; }
  std::string_view Details() const override;
  std::span<const std::span<const TOptionSpec>> Options() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
