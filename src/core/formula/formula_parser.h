#pragma once

#include "formula/formula_reader.h"
#include "formula/methods_manager.h"

namespace mervanta {

class TFoCustomValue;
class TFoMethodValue;
class TFormulaCalculator;

// Builds the node tree of a read formula. Comparisons bind loosest, then "+" and "-", then
// "*" and "/", then signs, then function calls; binary operators are left-associative.
class TFormulaParser {
 public:
  // A tree deeper than this is refused with EFormulaError 46, so neither parsing nor
  // computing can exhaust the stack.
  static constexpr int kMaxNesting = 1000;

  TFormulaParser(const TFormulaReader& reader, TFormulaCalculator& owner)
      : Reader_(reader), Owner_(owner) {}

  // The root of the whole formula, which must have at least one token; nodes are made in the
  // owner, which keeps them even when a fault ends the parse.
  TFoCustomValue& Parse();
  // The number of levels of the tree made, at most kMaxNesting + 1.
  int Levels() const { return Deepest_ + 1; }

 private:
  TFoCustomValue& ParseRange(int first, int last, int depth);
  TFoCustomValue& ParseLeaf(int first, int last);
  TFoCustomValue& ParseSign(int at, int first, int last, int depth);
  TFoCustomValue& ParseCall(int at, int first, int last, int depth);
  TFoCustomValue& ParseChain(int at, int first, int last, int depth);
  // The operator or function named at token `at`; EFormulaError 41 for an unknown name.
  const TFoMethodData& FindMethod(int at, TFoLookup lookup) const;
  TFoMethodValue& NewMethod(int at, TFoLookup lookup);

  const TFormulaReader& Reader_;
  TFormulaCalculator& Owner_;
  int Deepest_ = 0;
  int Branches_ = 0;  // branches of "If" around the range being parsed
};

}  // namespace mervanta
