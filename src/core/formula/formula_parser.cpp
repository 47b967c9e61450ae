#include "formula/formula_parser.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "formula/fo_join_value.h"
#include "formula/fo_link_value.h"
#include "formula/fo_method_value.h"
#include "formula/fo_operations.h"
#include "formula/fo_static_value.h"
#include "formula/formula_calculator.h"
#include "formula/formula_error.h"

namespace mervanta {

namespace {

// The kinds that split a range, loosest first.
constexpr TFoTokenKind kSplitKinds[] = {TFoTokenKind::Compare, TFoTokenKind::AddOp,
                                        TFoTokenKind::MulOp, TFoTokenKind::Sign,
                                        TFoTokenKind::Identifier};

// The literal without its outer quotes, each doubled quote made single.
std::string Unquoted(std::string_view literal) {
  std::string text;
  text.reserve(literal.size());
  for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
    text += literal[i];
    if (literal[i] == '"') ++i;
  }
  return text;
}

}  // namespace

TFoCustomValue& TFormulaParser::Parse() {
  return ParseRange(0, Reader_.Count() - 1, 0);
}

TFoCustomValue& TFormulaParser::ParseRange(int first, int last, int depth) {
  if (depth > kMaxNesting) throw EFormulaError(TFormulaErrorCode::Syntax);
  Deepest_ = std::max(Deepest_, depth);
  Reader_.StripBrackets(first, last);
  for (TFoTokenKind kind : kSplitKinds) {
    const int at = Reader_.FindToken(first, last, TFoScan::Backward, kind);
    if (at < 0) continue;
    if (kind == TFoTokenKind::Sign) return ParseSign(at, first, last, depth);
    if (kind == TFoTokenKind::Identifier) return ParseCall(at, first, last, depth);
    return ParseChain(at, first, last, depth);
  }
  return ParseLeaf(first, last);
}

TFoCustomValue& TFormulaParser::ParseLeaf(int first, int last) {
  if (first != last) throw EFormulaError(TFormulaErrorCode::Syntax);
  const std::string_view text = Reader_.Text(first);
  switch (Reader_.Kind(first)) {
    case TFoTokenKind::String:
      return Owner_.AddNode<TFoStaticValue>(Unquoted(text));
    case TFoTokenKind::Number: {
      TNumber number;
      if (!TryReadNumber(text, number)) throw EFormulaError(TFormulaErrorCode::BadNumber);
      return Owner_.AddNode<TFoStaticValue>(number);
    }
    case TFoTokenKind::Column: {
      int column;
      if (!TryParseInteger(text.substr(1), column))
        throw EFormulaError(TFormulaErrorCode::BadColumn);
      return Owner_.AddLink(column, Branches_ == 0);
    }
    default:
      throw EFormulaError(TFormulaErrorCode::Syntax);
  }
}

const TFoMethodData& TFormulaParser::FindMethod(int at, TFoLookup lookup) const {
  const TFoMethodData* method = TMethodsManager::Find(Reader_.Text(at), lookup);
  if (method == nullptr) throw EFormulaError(TFormulaErrorCode::UnknownName);
  return *method;
}

TFoMethodValue& TFormulaParser::NewMethod(int at, TFoLookup lookup) {
  const TFoMethodData& method = FindMethod(at, lookup);
  return CallMaker(method.Id)(Owner_, method);
}

TFoCustomValue& TFormulaParser::ParseSign(int at, int first, int last, int depth) {
  TFoMethodValue& node = NewMethod(at, TFoLookup::Sign);
  // The rightmost sign must lead the range, which also refuses two signs in a row.
  if (at != first || at == last) throw EFormulaError(TFormulaErrorCode::Syntax);
  node.AddArgument(ParseRange(at + 1, last, depth + 1));
  return node;
}

TFoCustomValue& TFormulaParser::ParseCall(int at, int first, int last, int depth) {
  TFoMethodValue& node = NewMethod(at, TFoLookup::Named);
  if (at != first) throw EFormulaError(TFormulaErrorCode::Syntax);
  if (first < last) {
    // Only the brackets after the name and at the end are checked here: "Max(abc;1)(2)" has
    // the arguments "abc" and "1)(2", so the unknown name is the first fault met, not the
    // brackets that follow the call.
    if (last - first < 2 || Reader_.Kind(first + 1) != TFoTokenKind::Open ||
        Reader_.Kind(last) != TFoTokenKind::Close) {
      throw EFormulaError(TFormulaErrorCode::Syntax);
    }
    const int end = last - 1;
    for (int start = first + 2; start <= end;) {
      const int separator =
          Reader_.FindToken(start, end, TFoScan::Forward, TFoTokenKind::Separator);
      if (separator == start) throw EFormulaError(TFormulaErrorCode::Syntax);
      const int pieceEnd = separator < 0 ? end : separator - 1;
      const bool branch = node.Method().Id == TFoMethodId::If && node.ArgCount() > 0;
      Branches_ += branch;
      node.AddArgument(ParseRange(start, pieceEnd, depth + 1));
      Branches_ -= branch;
      // One separator right before the closing bracket is allowed and ends the list.
      start = pieceEnd + 2;
    }
  }
  node.CheckArgumentCount();
  return node;
}

// A run of binary operators of one kind splits at the rightmost first, so "8-3-2" is
// (8-3)-2. Walking the run once, instead of searching the shrinking left side again for each
// operator, keeps long sums linear.
TFoCustomValue& TFormulaParser::ParseChain(int at, int first, int last, int depth) {
  const TFoTokenKind kind = Reader_.Kind(at);
  std::vector<std::pair<int, const TFoMethodData*>> operators;  // from the right
  bool onlyPlus = true;
  for (int end = last; at >= 0; at = Reader_.FindToken(first, end, TFoScan::Backward, kind)) {
    if (depth + static_cast<int>(operators.size()) > kMaxNesting)
      throw EFormulaError(TFormulaErrorCode::Syntax);
    const TFoMethodData& method = FindMethod(at, TFoLookup::Named);
    if (at == first || at == end) throw EFormulaError(TFormulaErrorCode::Syntax);
    operators.emplace_back(at, &method);
    onlyPlus = onlyPlus && method.Id == TFoMethodId::Plus;
    end = at - 1;
  }
  const int count = static_cast<int>(operators.size());
  TFoCustomValue* left = &ParseRange(first, operators.back().first - 1, depth + count);
  // Joins of texts, which is what "+" does once its left side is a text, become one node.
  std::vector<TFoCustomValue*> pieces;
  if (onlyPlus && left->GivesText()) pieces.push_back(left);
  for (int j = count - 1; j >= 0; --j) {
    const auto [position, method] = operators[static_cast<std::size_t>(j)];
    const int rightEnd = j == 0 ? last : operators[static_cast<std::size_t>(j - 1)].first - 1;
    TFoCustomValue& right = ParseRange(position + 1, rightEnd, depth + j + 1);
    if (!pieces.empty()) {
      pieces.push_back(&right);
      continue;
    }
    TFoMethodValue& node = CallMaker(method->Id)(Owner_, *method);
    node.AddArgument(*left);
    node.AddArgument(right);
    left = &node;
  }
  if (!pieces.empty()) return Owner_.AddNode<TFoJoinValue>(std::move(pieces));
  return *left;
}

}  // namespace mervanta
