#pragma once

#include <array>
#include <vector>

#include "formula/fo_custom_value.h"
#include "formula/methods_manager.h"

namespace mervanta {

// An operator or function call with its arguments in order. The operation itself is part of
// the node's type (the calls of fo_operations.h), so that computing a call is one virtual call.
class TFoMethodValue : public TFoCustomValue {
 public:
  TFoMethodValue(TFormulaCalculator& owner, const TFoMethodData& method)
      : TFoCustomValue(owner), Method_(method) {}

  const TFoMethodData& Method() const { return Method_; }
  int ArgCount() const { return static_cast<int>(Args_.size()); }
  TFoCustomValue& Arg(int i) const { return *Args_[static_cast<std::size_t>(i)]; }
  // The number of the first or second argument when it is a number literal, else null: what
  // the binary operators ask on every computation, answered without a call.
  const TNumber* NumberLiteralArg(int i) const {
    return NumberLiterals_[static_cast<std::size_t>(i)];
  }

  // EFormulaError 50 when the call already holds as many arguments as it accepts.
  void AddArgument(TFoCustomValue& argument);
  // EFormulaError 49 when the call holds fewer arguments than it needs.
  void CheckArgumentCount() const;

 private:
  const TFoMethodData& Method_;
  std::vector<TFoCustomValue*> Args_;
  std::array<const TNumber*, 2> NumberLiterals_{};
};

}  // namespace mervanta
