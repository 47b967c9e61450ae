#include "formula/fo_static_value.h"

#include <utility>

namespace mervanta {

TFoStaticValue::TFoStaticValue(TFormulaCalculator& owner, TNumber number) : TFoCustomValue(owner) {
  Value_.SetNumber(number);
  HasInteger_ = TryRound(number, Integer_);
}

TFoStaticValue::TFoStaticValue(TFormulaCalculator& owner, std::string text)
    : TFoCustomValue(owner), Literal_(std::move(text)) {
  Value_.Number = 0;
  Value_.SetText(Literal_);
}

}  // namespace mervanta
