#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "formula/formula_calculator.h"

namespace mervanta::test {

// One record of a table whose columns are stored texts or virtual columns with their own
// calculators; "#N" answers the N-th column's value, computed anew each time, as the table does.
class TTestRecord : public TFoLinkResolver {
 public:
  void AddStored(std::string text) { Columns_.emplace_back(std::move(text)); }
  TFormulaCalculator& AddVirtual(std::string_view formula) {
    auto calculator = std::make_unique<TFormulaCalculator>();
    calculator->SetFormula(formula);
    return *std::get<1>(Columns_.emplace_back(std::move(calculator)));
  }

  // The cell text of column `column` (1-based).
  std::string Value(int column) {
    std::string text;
    std::string_view view;
    if (!ResolveLink(column, this, text, view)) return "<no column>";
    return std::string(view);
  }

  // Stored cells are answered before the calculation, as the table answers them.
  void ResolveStoredLinks(const void*, std::span<const TFoLinkColumn> columns,
                          std::span<TFoLinkText> texts) override {
    for (std::size_t i = 0; i < columns.size(); ++i) {
      const std::int32_t column = columns[i].Column;
      if (column < 1 || column > static_cast<int>(Columns_.size())) continue;
      if (const auto* stored = std::get_if<0>(&Columns_[static_cast<std::size_t>(column - 1)])) {
        texts[i] = {*stored, true};
      }
    }
  }

  bool ResolveLink(std::int32_t column, const void* context, std::string& buffer,
                   std::string_view& text) override {
    if (column < 1 || column > static_cast<int>(Columns_.size())) return false;
    auto& cell = Columns_[static_cast<std::size_t>(column - 1)];
    if (const std::string* stored = std::get_if<0>(&cell)) {
      text = *stored;
    } else {
      std::get<1>(cell)->Calculate(context, buffer, *this);
      text = buffer;
    }
    return true;
  }

 private:
  std::vector<std::variant<std::string, std::unique_ptr<TFormulaCalculator>>> Columns_;
};

}  // namespace mervanta::test
