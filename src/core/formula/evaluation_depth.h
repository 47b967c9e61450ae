#pragma once

namespace mervanta {

// Counts the nesting of computations on this thread, across calculators that reach each
// other through column references, and fails with EFormulaError 81 before the stack runs out.
class TEvaluationDepth {
 public:
  TEvaluationDepth();
  ~TEvaluationDepth();
  TEvaluationDepth(const TEvaluationDepth&) = delete;
  TEvaluationDepth& operator=(const TEvaluationDepth&) = delete;
};

}  // namespace mervanta
