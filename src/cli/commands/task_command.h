#pragma once

#include "framework/command.h"

namespace mervanta {

// An automated task over "All": one text edit of stored columns in every record, or with
// --preview the texts it would write.
class TTaskCommand final : public TCommand {
 public:
  std::string_view Name() const override { return "task"; }
  std::string_view Synopsis() const override {
    return "TABLE KIND [--source all] [--column C | --columns C,...]\n"
           "         [--position MODE:VALUE] [--from MODE:VALUE --to MODE:VALUE]\n"
           "         [--text T | --number START:STEP | --value-of C] [--preview]";
  }
  std::string_view Summary() const override { return "Run an automated task over a column"; }
  std::string_view Details() const override;
  std::span<const std::span<const TOptionSpec>> Options() const override;
  int Run(TCliContext& context, const TArguments& arguments) const override;
};

}  // namespace mervanta
