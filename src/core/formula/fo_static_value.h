#pragma once

#include <string>

#include "formula/fo_custom_value.h"

namespace mervanta {

// A string or number literal.
class TFoStaticValue final : public TFoCustomValue {
 public:
  TFoStaticValue(TFormulaCalculator& owner, TNumber number);
  TFoStaticValue(TFormulaCalculator& owner, std::string text);

  // Literals answer in their own kind without a copy of the whole value.
  void GetValue(TFoVariable& value) override { value = Value_; }
  TNumber GetNumber() override { return NumberOf(Value_); }
  std::string_view GetText() override { return TextOf(Value_); }
  bool GivesText() const override { return Value_.Kind == vkText; }
  void AppendText(std::string& text) override { text.append(GetText()); }

 private:
  std::string Literal_;
  TFoVariable Value_;
};

}  // namespace mervanta
