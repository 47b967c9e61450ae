#pragma once

#include "settings/value_property.h"
#include "support/color.h"

namespace mervanta {

class TColorProperty final : public TValueProperty<TColorProperty, TColor, TPropertyKind::Color> {
 public:
  TColorProperty(std::string name, std::string caption, TColor defaultValue)
      : TValueProperty(std::move(name), std::move(caption), defaultValue) {}

  void SetValue(TColor value) { ChangeValue(value); }

  // "#RRGGBB" with capital digits only; system colours are written as their RGB value.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;
};

}  // namespace mervanta
