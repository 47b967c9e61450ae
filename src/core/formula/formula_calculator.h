#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formula/fo_custom_value.h"
#include "support/string_list.h"

namespace mervanta {

class TFoLinkValue;

// A column a formula refers to; Certain when some reference to it lies outside every branch
// of "If", so that each calculation reads it.
struct TFoLinkColumn {
  std::int32_t Column;
  bool Certain;
};

// A column reference's text as the resolver gave it before the calculation began.
struct TFoLinkText {
  std::string_view Text;
  bool Known = false;
};

// Answers the column references "#N" of a calculation.
class TFoLinkResolver {
 public:
  virtual ~TFoLinkResolver() = default;

  // The text of column `column` (1-based) for the record `context` stands for; false when
  // there is no such column. The answer either views text that outlives the calculation, such
  // as a stored cell, or is written into `buffer` and viewed from there, as a computed cell
  // is. Computing another column's formula here is how references chain.
  virtual bool ResolveLink(std::int32_t column, const void* context, std::string& buffer,
                           std::string_view& text) = 0;
  // Called as each calculation begins with the columns the formula refers to, ascending and
  // each once, and an unknown entry for each. A resolver may answer here the references it
  // can answer without computing anything, such as stored cells, whose views must then last
  // the calculation: one walk over a record instead of a call per reference. Every reference
  // left unknown is asked of ResolveLink when the calculation reaches it, so that computed
  // cells are computed only when needed.
  virtual void ResolveStoredLinks(const void* /*context*/,
                                  std::span<const TFoLinkColumn> /*columns*/,
                                  std::span<TFoLinkText> /*texts*/) {}
};

// Keeps one formula parsed and computes it for one record at a time. A faulty formula never
// stops the caller: every fault becomes the text "<error N>".
class TFormulaCalculator {
 public:
  TFormulaCalculator();
  ~TFormulaCalculator();
  TFormulaCalculator(const TFormulaCalculator&) = delete;
  TFormulaCalculator& operator=(const TFormulaCalculator&) = delete;

  // Parses the text; a fault is kept as ErrorCode and reported by every Calculate.
  void SetFormula(std::string_view text);
  // 0, or the code of the fault in the last formula set.
  TFormulaErrorCode ErrorCode() const { return ErrorCode_; }
  // Computes the formula into `result`, cut to the length a field may hold; a text formula
  // builds its text right there, so the resolver's answers must not view `result`. Raises
  // only EFormulaError 82, when this formula is already being computed further up (a
  // circular reference); the calculation that started the circle shows it as its text.
  void Calculate(const void* context, std::string& result, TFoLinkResolver& resolver);
  // Frees the tree; Calculate then shows the empty text.
  void Clear();

  // The names of the operators and functions, as the column dialog lists them.
  static TStringList MethodNames();

  // For the parser and the nodes.
  template <typename TNode, typename... TArgs>
  TNode& AddNode(TArgs&&... args) {
    auto node = std::make_unique<TNode>(*this, std::forward<TArgs>(args)...);
    TNode& result = *node;
    Nodes_.push_back(std::move(node));
    return result;
  }
  // The node of the reference "#column", `certain` when it lies outside every branch of
  // "If"; it reads the text the resolver gave beforehand when there is one.
  TFoLinkValue& AddLink(std::int32_t column, bool certain);
  bool ResolveLink(std::int32_t column, std::string& buffer, std::string_view& text) {
    return Resolver_->ResolveLink(column, Context_, buffer, text);
  }

 private:
  // 0, or the code of the fault that ended the computation.
  TFormulaErrorCode Evaluate(std::string& result);
  // Gives each reference node its entry in the link table, one per column referred to.
  void BindLinks();

  TFoCustomValue* Root_ = nullptr;
  int Levels_ = 0;  // of the tree
  bool RootGivesText_ = false;
  std::vector<std::unique_ptr<TFoCustomValue>> Nodes_;
  std::vector<std::pair<TFoLinkValue*, bool>> Links_;  // and certain, while parsing
  std::vector<TFoLinkColumn> LinkColumns_;             // ascending, each once
  std::vector<TFoLinkText> LinkTexts_;                 // one per entry of LinkColumns_
  TFoLinkResolver* Resolver_ = nullptr;
  bool Busy_ = false;
  const void* Context_ = nullptr;
  TFormulaErrorCode ErrorCode_ = TFormulaErrorCode::None;
};

}  // namespace mervanta
