#pragma once

#include <cstdint>
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
  // A number literal is rounded once, when it is read.
  std::int64_t GetInteger() override {
    return HasInteger_ ? Integer_ : TFoCustomValue::GetInteger();
  }
  const TNumber* NumberLiteral() const override {
    return Value_.Kind == TFoValueKind::Number ? &Value_.Number : nullptr;
  }
  bool GivesText() const override { return Value_.Kind == TFoValueKind::Text; }
  void AppendText(std::string& text) override { text.append(GetText()); }

 private:
  std::string Literal_;
  TFoVariable Value_;
  std::int64_t Integer_ = 0;
  bool HasInteger_ = false;
};

}  // namespace mervanta
