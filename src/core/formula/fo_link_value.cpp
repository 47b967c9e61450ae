#include "formula/fo_link_value.h"

#include "formula/formula_error.h"

namespace mervanta {

void TFoLinkValue::RaiseNoSuchColumn() {
  throw EFormulaError(feNoSuchColumn);
}

}  // namespace mervanta
