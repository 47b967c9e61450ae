#include "formula/formula_calculator.h"

#include "formula/evaluation_depth.h"
#include "formula/fo_static_value.h"
#include "formula/formula_error.h"
#include "formula/formula_parser.h"
#include "formula/formula_reader.h"
#include "formula/methods_manager.h"

namespace mervanta {

TFormulaCalculator::TFormulaCalculator() {
  SetFormula({});
}

TFormulaCalculator::~TFormulaCalculator() = default;

void TFormulaCalculator::Clear() {
  Root_ = nullptr;
  Nodes_.clear();
}

void TFormulaCalculator::SetFormula(std::string_view text) {
  Clear();
  ErrorCode_ = 0;
  try {
    TFormulaReader reader;
    reader.Read(text);
    Root_ = reader.Count() == 0 ? &AddNode<TFoStaticValue>(std::string())
                                : &TFormulaParser(reader, *this).Parse();
  } catch (const EFormulaError& error) {
    ErrorCode_ = error.Code();
  }
}

void TFormulaCalculator::Calculate(const void* context, std::string& result,
                                   TFoLinkResolver& resolver) {
  if (Busy_) throw EFormulaError(feCircularReference);
  int code = ErrorCode_;
  if (code == 0) {
    Busy_ = true;
    Resolver_ = &resolver;
    Context_ = context;
    code = Evaluate(result);
    Busy_ = false;
    Resolver_ = nullptr;
  }
  if (code != 0) result = FormulaErrorText(code);
}

int TFormulaCalculator::Evaluate(std::string& result) {
  try {
    if (Root_ == nullptr) {
      result.clear();
      return 0;
    }
    TEvaluationDepth depth;
    TFoVariable value;
    Root_->GetValue(value);
    if (value.Kind == vkNumber) {
      NumberToText(value.Number, result);
    } else {
      result.assign(value.Text.substr(0, kMaxTextLength));
    }
    return 0;
  } catch (const EFormulaError& error) {
    return error.Code();
  } catch (...) {
    // Anything else, such as memory running out, is a failed operation too.
    return feOperationFailed;
  }
}

TStringList TFormulaCalculator::MethodNames() {
  return TMethodsManager::Names();
}

}  // namespace mervanta
