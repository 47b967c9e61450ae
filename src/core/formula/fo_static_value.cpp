#include "formula/fo_static_value.h"

#include <utility>

namespace mervanta {

TFoStaticValue::TFoStaticValue(TFormulaCalculator& owner, TNumber number) : TFoCustomValue(owner) {
  Value_.SetNumber(number);
}

TFoStaticValue::TFoStaticValue(TFormulaCalculator& owner, std::string text)
    : TFoCustomValue(owner), Literal_(std::move(text)) {
  Value_.SetText(Literal_);
}

// Literals answer in their own kind without a copy of the whole value.
TNumber TFoStaticValue::GetNumber() {
  return Value_.Kind == vkNumber ? Value_.Number : TFoCustomValue::GetNumber();
}

std::string_view TFoStaticValue::GetText() {
  return Value_.Kind == vkText ? Value_.Text : TFoCustomValue::GetText();
}

}  // namespace mervanta
