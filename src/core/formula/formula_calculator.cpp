#include "formula/formula_calculator.h"

#include <algorithm>

#include "formula/fo_link_value.h"
#include "formula/fo_static_value.h"
#include "formula/formula_error.h"
#include "formula/formula_parser.h"
#include "formula/formula_reader.h"
#include "formula/methods_manager.h"

namespace mervanta {

namespace {

// Counts the tree levels of the calculations nested on this thread through column references
// and fails with EFormulaError 81 before they could run out of stack. One tree is at most
// TFormulaParser::kMaxNesting + 1 levels; this leaves room for several such trees calling one
// another and for any number of shallow ones.
class TNestingScope {
 public:
  static constexpr int kMaxLevels = 4096;

  explicit TNestingScope(int levels) : Levels_(levels) {
    if (Nested_ == 0) TTextBudget::Restart();
    if (Nested_ + levels > kMaxLevels) throw EFormulaError(TFormulaErrorCode::OperationFailed);
    Nested_ += levels;
  }
  ~TNestingScope() { Nested_ -= Levels_; }
  TNestingScope(const TNestingScope&) = delete;
  TNestingScope& operator=(const TNestingScope&) = delete;

 private:
  static thread_local inline int Nested_ = 0;
  int Levels_;
};

}  // namespace

TFormulaCalculator::TFormulaCalculator() {
  SetFormula({});
}

TFormulaCalculator::~TFormulaCalculator() = default;

void TFormulaCalculator::Clear() {
  Root_ = nullptr;
  RootGivesText_ = false;
  Nodes_.clear();
  Links_.clear();
  LinkColumns_.clear();
  LinkTexts_.clear();
}

TFoLinkValue& TFormulaCalculator::AddLink(std::int32_t column, bool certain) {
  TFoLinkValue& link = AddNode<TFoLinkValue>(column);
  Links_.emplace_back(&link, certain);
  return link;
}

void TFormulaCalculator::BindLinks() {
  std::sort(Links_.begin(), Links_.end(),
            [](const auto& a, const auto& b) { return a.first->Column() < b.first->Column(); });
  for (const auto& [link, certain] : Links_) {
    if (LinkColumns_.empty() || LinkColumns_.back().Column != link->Column()) {
      LinkColumns_.push_back({link->Column(), false});
    }
    // A column is read for certain when any of its references is.
    LinkColumns_.back().Certain = LinkColumns_.back().Certain || certain;
  }
  LinkTexts_.resize(LinkColumns_.size());
  std::size_t entry = 0;
  for (const auto& reference : Links_) {
    TFoLinkValue& link = *reference.first;
    if (LinkColumns_[entry].Column != link.Column()) ++entry;
    link.Bind(LinkTexts_[entry]);
  }
  Links_.clear();
}

void TFormulaCalculator::SetFormula(std::string_view text) {
  Clear();
  ErrorCode_ = TFormulaErrorCode::None;
  try {
    TFormulaReader reader;
    reader.Read(text);
    if (reader.Count() == 0) {
      Root_ = &AddNode<TFoStaticValue>(std::string());
      Levels_ = 1;
    } else {
      TFormulaParser parser(reader, *this);
      Root_ = &parser.Parse();
      Levels_ = parser.Levels();
    }
    RootGivesText_ = Root_->GivesText();
    BindLinks();
  } catch (const EFormulaError& error) {
    ErrorCode_ = error.Code();
  }
}

void TFormulaCalculator::Calculate(const void* context, std::string& result,
                                   TFoLinkResolver& resolver) {
  if (Busy_) throw EFormulaError(TFormulaErrorCode::CircularReference);
  TFormulaErrorCode code = ErrorCode_;
  if (code == TFormulaErrorCode::None) {
    Busy_ = true;
    Resolver_ = &resolver;
    Context_ = context;
    code = Evaluate(result);
    Busy_ = false;
    Resolver_ = nullptr;
  }
  if (code != TFormulaErrorCode::None) result = FormulaErrorText(code);
}

TFormulaErrorCode TFormulaCalculator::Evaluate(std::string& result) {
  try {
    if (Root_ == nullptr) {
      result.clear();
      return TFormulaErrorCode::None;
    }
    const TNestingScope nesting(Levels_);
    if (!LinkTexts_.empty()) {
      for (TFoLinkText& text : LinkTexts_) text.Known = false;
      Resolver_->ResolveStoredLinks(Context_, LinkColumns_, LinkTexts_);
    }
    if (RootGivesText_) {
      result.clear();
      Root_->AppendText(result);
      if (result.size() > kMaxTextLength) result.resize(kMaxTextLength);
      return TFormulaErrorCode::None;
    }
    TFoVariable value;
    Root_->GetValue(value);
    if (value.Kind == TFoValueKind::Number) {
      NumberToText(value.Number, result);
    } else {
      result.assign(value.Text.substr(0, kMaxTextLength));
    }
    return TFormulaErrorCode::None;
  } catch (const EFormulaError& error) {
    return error.Code();
  } catch (...) {
    // Anything else, such as memory running out, is a failed operation too.
    return TFormulaErrorCode::OperationFailed;
  }
}

TStringList TFormulaCalculator::MethodNames() {
  return TMethodsManager::Names();
}

}  // namespace mervanta
