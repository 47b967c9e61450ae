#include "formula/fo_static_value.h"

#include <utility>

namespace mervanta {

TFoStaticValue::TFoStaticValue(TFormulaCalculator& owner, TNumber number) : TFoCustomValue(owner) {
  Value_.SetNumber(number);
}

TFoStaticValue::TFoStaticValue(TFormulaCalculator& owner, std::string text)
    : TFoCustomValue(owner), Literal_(std::move(text)) {
  Value_.Number = 0;
  Value_.SetText(Literal_);
}

// Literals answer in their own kind without a copy of the whole value.
TNumber TFoStaticValue::GetNumber() {
  return NumberOf(Value_);
}

std::string_view TFoStaticValue::GetText() {
  return TextOf(Value_);
}

}  // namespace mervanta
