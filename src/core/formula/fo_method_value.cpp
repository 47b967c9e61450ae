#include "formula/fo_method_value.h"

#include "formula/evaluation_depth.h"
#include "formula/fo_operations.h"
#include "formula/formula_error.h"

namespace mervanta {

namespace {

// An operation number without an entry yields 0.
void NoOperation(TFoMethodValue&, TFoVariable& value) {
  value.SetNumber(0);
}

TFoOperation OperationOf(std::int32_t id) {
  if (TFoOperation operation = NumberOperation(id)) return operation;
  if (TFoOperation operation = TextOperation(id)) return operation;
  return NoOperation;
}

}  // namespace

TFoMethodValue::TFoMethodValue(TFormulaCalculator& owner, const TFoMethodData& method)
    : TFoCustomValue(owner), Method_(method), Operation_(OperationOf(method.Id)) {}

void TFoMethodValue::AddArgument(TFoCustomValue& argument) {
  if (ArgCount() >= Method_.MaxArgs) throw EFormulaError(feTooManyArguments);
  Args_.push_back(&argument);
}

void TFoMethodValue::CheckArgumentCount() const {
  if (ArgCount() < Method_.MinArgs) throw EFormulaError(feTooFewArguments);
}

void TFoMethodValue::GetValue(TFoVariable& value) {
  TEvaluationDepth depth;
  Operation_(*this, value);
}

}  // namespace mervanta
