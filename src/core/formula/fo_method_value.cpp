#include "formula/fo_method_value.h"

#include "formula/fo_operations.h"
#include "formula/formula_error.h"

namespace mervanta {

namespace {

TNumber NoOperation(TFoMethodValue&) {
  return 0;
}

}  // namespace

void TFoMethodValue::AddArgument(TFoCustomValue& argument) {
  if (ArgCount() >= Method_.MaxArgs) throw EFormulaError(TFormulaErrorCode::TooManyArguments);
  if (Args_.size() < NumberLiterals_.size()) {
    NumberLiterals_[Args_.size()] = argument.NumberLiteral();
  }
  Args_.push_back(&argument);
}

void TFoMethodValue::CheckArgumentCount() const {
  if (ArgCount() < Method_.MinArgs) throw EFormulaError(TFormulaErrorCode::TooFewArguments);
}

TFoCallMaker CallMaker(TFoMethodId id) {
  if (TFoCallMaker maker = NumberOperation(id)) return maker;
  if (TFoCallMaker maker = TextOperation(id)) return maker;
  return MakeCall<TFoNumberCall<NoOperation>>;
}

}  // namespace mervanta
