#pragma once

#include <cstdint>

#include "formula/fo_custom_value.h"
#include "formula/formula_calculator.h"

namespace mervanta {

// A column reference "#N": the text of the N-th column for the record being computed.
class TFoLinkValue final : public TFoCustomValue {
 public:
  TFoLinkValue(TFormulaCalculator& owner, std::int32_t column)
      : TFoCustomValue(owner), Column_(column) {}

  std::int32_t Column() const { return Column_; }
  // The entry of the calculator's link table for this column, which outlives the node.
  void Bind(const TFoLinkText& text) { Text_ = &text; }

  // EFormulaError 83 when the resolver knows no such column.
  void GetValue(TFoVariable& value) override { value.SetText(GetText()); }
  TNumber GetNumber() override { return NumberOf(GetText()); }
  bool GivesText() const override { return true; }
  void AppendText(std::string& text) override { text.append(GetText()); }
  std::string_view GetText() override { return Text_->Known ? Text_->Text : Resolve(); }

 private:
  // Asks the resolver now; EFormulaError 83 when it knows no such column.
  std::string_view Resolve();

  std::int32_t Column_;
  const TFoLinkText* Text_ = nullptr;
};

}  // namespace mervanta
