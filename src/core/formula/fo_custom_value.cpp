#include "formula/fo_custom_value.h"

#include <cmath>

#include "formula/formula_error.h"

namespace mervanta {

TNumber TFoCustomValue::GetNumber() {
  TFoVariable value;
  GetValue(value);
  if (value.Kind == vkNumber) return value.Number;
  TNumber number;
  if (!TryTextToNumber(value.Text, number)) throw EFormulaError(feNotConvertible);
  return number;
}

std::int64_t TFoCustomValue::GetInteger() {
  const TNumber rounded = std::rint(GetNumber());
  constexpr TNumber kLimit = 9223372036854775808.0L;  // 2 to the power 63
  if (!(rounded >= -kLimit && rounded < kLimit)) throw EFormulaError(feNotConvertible);
  return static_cast<std::int64_t>(rounded);
}

std::string_view TFoCustomValue::GetText() {
  TFoVariable value;
  GetValue(value);
  if (value.Kind == vkText) return value.Text;
  NumberToText(value.Number, Buffer_);
  return Buffer_;
}

}  // namespace mervanta
