#include "formula/fo_custom_value.h"

#include <cmath>

#include "formula/formula_error.h"

namespace mervanta {

TNumber TFoCustomValue::GetNumber() {
  TFoVariable value;
  GetValue(value);
  return NumberOf(value);
}

void TFoCustomValue::RaiseNotConvertible() {
  throw EFormulaError(feNotConvertible);
}

std::int64_t TFoCustomValue::GetInteger() {
  const TNumber number = GetNumber();
  // From 2^63 - 0.5 up the nearest integer is 2^63, which does not fit; llrint rounds halves
  // to even.
  if (!(number >= -0x1p63L && number < 0x1p63L - 0.5L)) throw EFormulaError(feNotConvertible);
  return std::llrint(number);
}

std::string_view TFoCustomValue::GetText() {
  TFoVariable value;
  GetValue(value);
  return TextOf(value);
}

std::string_view TFoCustomValue::TextOf(TNumber number) {
  NumberToText(number, Buffer_);
  return Buffer_;
}

}  // namespace mervanta
