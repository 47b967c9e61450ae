#pragma once

#include <vector>

#include "formula/fo_custom_value.h"
#include "formula/methods_manager.h"

namespace mervanta {

class TFoMethodValue;

// Computes one operator or function; it asks for each argument when it needs it.
using TFoOperation = void (*)(TFoMethodValue& node, TFoVariable& value);

// An operator or function call with its arguments in order.
class TFoMethodValue : public TFoCustomValue {
 public:
  TFoMethodValue(TFormulaCalculator& owner, const TFoMethodData& method);

  const TFoMethodData& Method() const { return Method_; }
  int ArgCount() const { return static_cast<int>(Args_.size()); }
  TFoCustomValue& Arg(int i) const { return *Args_[static_cast<std::size_t>(i)]; }

  // EFormulaError 50 when the call already holds as many arguments as it accepts.
  void AddArgument(TFoCustomValue& argument);
  // EFormulaError 49 when the call holds fewer arguments than it needs.
  void CheckArgumentCount() const;

  void GetValue(TFoVariable& value) override;

 private:
  const TFoMethodData& Method_;
  TFoOperation Operation_;
  std::vector<TFoCustomValue*> Args_;
};

}  // namespace mervanta
