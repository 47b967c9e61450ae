#include "formula/fo_link_value.h"

#include "formula/formula_calculator.h"
#include "formula/formula_error.h"

namespace mervanta {

void TFoLinkValue::GetValue(TFoVariable& value) {
  std::string_view text;
  if (!Owner().ResolveLink(Column_, Buffer(), text)) throw EFormulaError(feNoSuchColumn);
  value.SetText(text);
}

}  // namespace mervanta
