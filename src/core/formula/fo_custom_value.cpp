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
  throw EFormulaError(TFormulaErrorCode::NotConvertible);
}

std::int64_t TFoCustomValue::GetInteger() {
  std::int64_t integer;
  if (!TryRound(GetNumber(), integer)) RaiseNotConvertible();
  return integer;
}

bool TFoCustomValue::TryRound(TNumber number, std::int64_t& integer) {
  // From 2^63 - 0.5 up the nearest integer is 2^63, which does not fit; llrint rounds halves
  // to even.
  if (!(number >= -0x1p63L && number < 0x1p63L - 0.5L)) return false;
  integer = std::llrint(number);
  return true;
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
