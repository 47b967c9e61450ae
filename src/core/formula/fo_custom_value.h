#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <string_view>

#include "formula/fo_variable.h"
#include "formula/formula_error.h"

namespace mervanta {

class TFormulaCalculator;

// The bytes of text the nodes may make while one cell is computed, across the calculators it
// reaches. Each text is bounded already; this bounds the time and memory a formula of very
// many such nodes could take (EFormulaError 81 beyond it).
class TTextBudget {
 public:
  static constexpr std::size_t kMaxBytes = std::size_t{64} << 20;

  static void Restart() { Spent_ = 0; }
  static void Spend(std::size_t bytes) {
    Spent_ += bytes;
    if (Spent_ > kMaxBytes) throw EFormulaError(TFormulaErrorCode::OperationFailed);
  }

 private:
  static thread_local inline std::size_t Spent_ = 0;
};

// A node of a parsed formula. Nodes are made and freed by their calculator.
class TFoCustomValue {
 public:
  explicit TFoCustomValue(TFormulaCalculator& owner) : Owner_(owner) {}
  virtual ~TFoCustomValue() = default;
  TFoCustomValue(const TFoCustomValue&) = delete;
  TFoCustomValue& operator=(const TFoCustomValue&) = delete;

  virtual void GetValue(TFoVariable& value) = 0;

  // The value in the form an operation asks for; EFormulaError 85 when it does not convert.
  virtual TNumber GetNumber();
  virtual std::string_view GetText();
  // Whether the value is a text for every record: a column reference, a text function or
  // literal, or a join or choice of such. The text of such a node can be built in place.
  virtual bool GivesText() const { return false; }
  // Appends the value taken as text; joins append their pieces one by one, so that a chain
  // of joins copies each piece once, straight to where the whole text is wanted.
  virtual void AppendText(std::string& text) { text.append(GetText()); }
  // Rounded to the nearest 64-bit integer, halves to the even neighbour.
  virtual std::int64_t GetInteger();
  // The value as a condition: true when its number is not 0.
  virtual bool GetCondition() { return GetNumber() != 0; }
  // The number of a number literal, which asking for changes nothing; null for other nodes.
  virtual const TNumber* NumberLiteral() const { return nullptr; }

  TFormulaCalculator& Owner() const { return Owner_; }
  // Where the node keeps a text it made; its capacity is reused from one record to the next.
  std::string& Buffer() { return Buffer_; }

 protected:
  // The rounding behind GetInteger; false when the number is out of the integers' range.
  static bool TryRound(TNumber number, std::int64_t& integer);
  // The conversions behind GetNumber and GetText, for nodes that get their value another way.
  static TNumber NumberOf(const TFoVariable& value) {
    return value.Kind == TFoValueKind::Number ? value.Number : NumberOf(value.Text);
  }
  static TNumber NumberOf(std::string_view text) {
    const TNumber number = TextToNumber(text);
    if (std::isnan(number)) RaiseNotConvertible();
    return number;
  }
  // A number's text is kept in this node's buffer.
  std::string_view TextOf(const TFoVariable& value) {
    return value.Kind == TFoValueKind::Text ? value.Text : TextOf(value.Number);
  }
  std::string_view TextOf(TNumber number);
  // A text made in this node's buffer is charged to the budget.
  std::string_view Made(std::string_view text) {
    if (text.data() == Buffer_.data()) TTextBudget::Spend(text.size());
    return text;
  }

 private:
  // EFormulaError 85, kept out of the conversions so that they stay small.
  [[noreturn]] static void RaiseNotConvertible();

  TFormulaCalculator& Owner_;
  std::string Buffer_;
};

}  // namespace mervanta
