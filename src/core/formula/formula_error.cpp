#include "formula/formula_error.h"

namespace mervanta {

std::string FormulaErrorText(TFormulaErrorCode code) {
  return "<error " + std::to_string(static_cast<int>(code)) + ">";
}

EFormulaError::EFormulaError(TFormulaErrorCode code)
    : EMervantaError(FormulaErrorText(code)), Code_(code) {}

}  // namespace mervanta
