#pragma once

#include "settings/value_property.h"

namespace mervanta {

// Min equal to Max means that any value is allowed.
class TIntegerProperty final
    : public TValueProperty<TIntegerProperty, int, TPropertyKind::Integer> {
 public:
  TIntegerProperty(std::string name, std::string caption, int defaultValue, int min = 0,
                   int max = 0)
      : TValueProperty(std::move(name), std::move(caption), defaultValue), Min_(min), Max_(max) {}

  int Min() const { return Min_; }
  int Max() const { return Max_; }
  bool HasRange() const { return Min_ != Max_; }

  // Clamped into the range.
  void SetValue(int value);

  // A stored number outside the range gives the default, not the nearest bound.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;

 private:
  int Min_;
  int Max_;
};

}  // namespace mervanta
