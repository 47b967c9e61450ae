#pragma once

#include <cstdint>

#include "formula/fo_method_value.h"
#include "formula/formula_calculator.h"

namespace mervanta {

// Most operations give one kind of value, so their results pass without a TFoVariable in
// between; "+" and "If" give either kind, and build their texts in place (see AppendText).
using TFoNumberOperation = TNumber (*)(TFoMethodValue& node);
using TFoTextOperation = std::string_view (*)(TFoMethodValue& node);
using TFoValueOperation = void (*)(TFoMethodValue& node, TFoVariable& value);
using TFoConditionOperation = bool (*)(TFoMethodValue& node);
using TFoGivesText = bool (*)(const TFoMethodValue& node);
using TFoAppendOperation = void (*)(TFoMethodValue& node, std::string& text);

template <TFoNumberOperation kOperation>
class TFoNumberCall final : public TFoMethodValue {
 public:
  using TFoMethodValue::TFoMethodValue;
  void GetValue(TFoVariable& value) override { value.SetNumber(kOperation(*this)); }
  TNumber GetNumber() override { return kOperation(*this); }
  std::string_view GetText() override { return TextOf(kOperation(*this)); }
};

// Comparisons and logical functions: their number is 1 or 0, and whoever wants a condition
// gets it without that number in between.
template <TFoConditionOperation kOperation>
class TFoConditionCall final : public TFoMethodValue {
 public:
  using TFoMethodValue::TFoMethodValue;
  void GetValue(TFoVariable& value) override { value.SetNumber(GetNumber()); }
  TNumber GetNumber() override { return kOperation(*this) ? 1 : 0; }
  std::string_view GetText() override { return TextOf(GetNumber()); }
  bool GetCondition() override { return kOperation(*this); }
};

// An operation that can also write its text straight after a given one, instead of making
// it in the node's buffer first, is given as kAppend.
template <TFoTextOperation kOperation, TFoAppendOperation kAppend = nullptr>
class TFoTextCall final : public TFoMethodValue {
 public:
  using TFoMethodValue::TFoMethodValue;
  void GetValue(TFoVariable& value) override { value.SetText(Made(kOperation(*this))); }
  TNumber GetNumber() override { return NumberOf(Made(kOperation(*this))); }
  std::string_view GetText() override { return Made(kOperation(*this)); }
  bool GivesText() const override { return true; }
  void AppendText(std::string& text) override {
    if constexpr (kAppend == nullptr) {
      text.append(GetText());
    } else {
      const std::size_t start = text.size();
      kAppend(*this, text);
      TTextBudget::Spend(text.size() - start);
    }
  }
};

template <TFoValueOperation kOperation, TFoGivesText kGivesText, TFoAppendOperation kAppend>
class TFoValueCall final : public TFoMethodValue {
 public:
  using TFoMethodValue::TFoMethodValue;
  // The kind follows from the arguments, which never change once parsed.
  bool GivesText() const override {
    if (GivesText_ < 0) GivesText_ = kGivesText(*this) ? 1 : 0;
    return GivesText_ != 0;
  }
  // kAppend is only asked for a node that gives text.
  void AppendText(std::string& text) override {
    if (GivesText()) {
      kAppend(*this, text);
    } else {
      TFoCustomValue::AppendText(text);
    }
  }
  void GetValue(TFoVariable& value) override {
    kOperation(*this, value);
    if (value.Kind == TFoValueKind::Text) Made(value.Text);
  }
  TNumber GetNumber() override {
    TFoVariable value;
    GetValue(value);
    return NumberOf(value);
  }
  std::string_view GetText() override {
    TFoVariable value;
    GetValue(value);
    return TextOf(value);
  }

 private:
  mutable std::int8_t GivesText_ = -1;
};

// Makes the call node of one operation in the calculator that owns it.
using TFoCallMaker = TFoMethodValue& (*)(TFormulaCalculator& owner, const TFoMethodData& method);

template <typename TCall>
TFoMethodValue& MakeCall(TFormulaCalculator& owner, const TFoMethodData& method) {
  return owner.AddNode<TCall>(method);
}

// The function library's makers by operation number; null for a number that is not theirs.
TFoCallMaker NumberOperation(TFoMethodId id);
TFoCallMaker TextOperation(TFoMethodId id);
// The maker for any operation number; one without an entry yields 0.
TFoCallMaker CallMaker(TFoMethodId id);

}  // namespace mervanta
