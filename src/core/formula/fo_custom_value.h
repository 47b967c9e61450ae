#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "formula/fo_variable.h"

namespace mervanta {

class TFormulaCalculator;

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
  // Rounded to the nearest 64-bit integer, halves to the even neighbour.
  std::int64_t GetInteger();

  TFormulaCalculator& Owner() const { return Owner_; }
  // Where the node keeps a text it made; its capacity is reused from one record to the next.
  std::string& Buffer() { return Buffer_; }

 protected:
  // The conversions behind GetNumber and GetText, for nodes that get their value another way.
  static TNumber NumberOf(const TFoVariable& value);
  static TNumber NumberOf(std::string_view text);
  // A number's text is kept in this node's buffer.
  std::string_view TextOf(const TFoVariable& value);
  std::string_view TextOf(TNumber number);

 private:
  TFormulaCalculator& Owner_;
  std::string Buffer_;
};

}  // namespace mervanta
