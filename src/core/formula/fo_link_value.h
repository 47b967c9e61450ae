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

  // EFormulaError 83 when the resolver knows no such column.
  void GetValue(TFoVariable& value) override { value.SetText(GetText()); }
  TNumber GetNumber() override { return NumberOf(GetText()); }
  bool GivesText() const override { return true; }
  void AppendText(std::string& text) override { text.append(GetText()); }
  std::string_view GetText() override {
    std::string_view text;
    if (!Owner().ResolveLink(Column_, Buffer(), text)) RaiseNoSuchColumn();
    return text;
  }

 private:
  [[noreturn]] static void RaiseNoSuchColumn();

  std::int32_t Column_;
};

}  // namespace mervanta
