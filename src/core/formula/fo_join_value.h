#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "formula/fo_custom_value.h"

namespace mervanta {

// A run of "+" whose first operand is a text, "a+b+c": the operands' texts one after the
// other, as the nested joins give them, appended in one loop instead of a call per join.
class TFoJoinValue final : public TFoCustomValue {
 public:
  TFoJoinValue(TFormulaCalculator& owner, std::vector<TFoCustomValue*> pieces)
      : TFoCustomValue(owner), Pieces_(std::move(pieces)) {}

  void GetValue(TFoVariable& value) override { value.SetText(GetText()); }
  TNumber GetNumber() override { return NumberOf(GetText()); }
  std::string_view GetText() override;
  bool GivesText() const override { return true; }
  void AppendText(std::string& text) override;

 private:
  std::vector<TFoCustomValue*> Pieces_;
};

}  // namespace mervanta
