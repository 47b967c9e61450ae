#include "formula/evaluation_depth.h"

#include "formula/formula_error.h"

namespace mervanta {

namespace {

// A parsed tree is at most kMaxNesting deep; this leaves room for several such trees
// calling one another and stays far below a thread's stack.
constexpr int kMaxEvaluationDepth = 4096;

thread_local int Depth = 0;

}  // namespace

TEvaluationDepth::TEvaluationDepth() {
  if (Depth >= kMaxEvaluationDepth) throw EFormulaError(feOperationFailed);
  ++Depth;
}

TEvaluationDepth::~TEvaluationDepth() {
  --Depth;
}

}  // namespace mervanta
