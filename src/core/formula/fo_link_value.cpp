#include "formula/fo_link_value.h"

#include "formula/formula_error.h"

namespace mervanta {

std::string_view TFoLinkValue::Resolve() {
  std::string_view text;
  if (!Owner().ResolveLink(Column_, Buffer(), text))
    throw EFormulaError(TFormulaErrorCode::NoSuchColumn);
  return text;
}

}  // namespace mervanta
