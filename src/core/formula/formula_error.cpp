#include "formula/formula_error.h"

namespace mervanta {

std::string FormulaErrorText(int code) {
  return "<error " + std::to_string(code) + ">";
}

EFormulaError::EFormulaError(int code) : EMervantaError(FormulaErrorText(code)), Code_(code) {}

}  // namespace mervanta
