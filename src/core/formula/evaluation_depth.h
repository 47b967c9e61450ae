#pragma once

#include "formula/formula_error.h"

namespace mervanta {

// Counts the nesting of computations on this thread, across calculators that reach each
// other through column references, and fails with EFormulaError 81 before the stack runs out.
class TEvaluationDepth {
 public:
  // A parsed tree is at most TFormulaParser::kMaxNesting deep; this leaves room for several
  // such trees calling one another and stays far below a thread's stack.
  static constexpr int kMaxDepth = 4096;

  TEvaluationDepth() {
    if (Depth_ >= kMaxDepth) throw EFormulaError(feOperationFailed);
    ++Depth_;
  }
  ~TEvaluationDepth() { --Depth_; }
  TEvaluationDepth(const TEvaluationDepth&) = delete;
  TEvaluationDepth& operator=(const TEvaluationDepth&) = delete;

 private:
  static thread_local inline int Depth_ = 0;
};

}  // namespace mervanta
