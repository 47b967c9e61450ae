#pragma once

#include "settings/value_property.h"

namespace mervanta {

class TBooleanProperty final
    : public TValueProperty<TBooleanProperty, bool, TPropertyKind::Boolean> {
 public:
  TBooleanProperty(std::string name, std::string caption, bool defaultValue)
      : TValueProperty(std::move(name), std::move(caption), defaultValue) {}

  void SetValue(bool value) { ChangeValue(value); }

  // "Y" is true, an empty text leaves it to the default, anything else is false.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;
};

}  // namespace mervanta
