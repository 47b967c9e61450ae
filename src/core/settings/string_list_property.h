#pragma once

#include <string_view>

#include "settings/value_property.h"
#include "support/string_list.h"

namespace mervanta {

// The list is edited only through SetValue or EditValue, so every change is announced.
class TStringListProperty final
    : public TValueProperty<TStringListProperty, TStringList, TPropertyKind::StringList> {
 public:
  // The value starts from lines separated by CR LF; the default starts empty and the owner
  // fills it.
  TStringListProperty(std::string name, std::string caption, std::string_view text)
      : TValueProperty(std::move(name), std::move(caption), TextToList(text)) {
    SetDefault({});
  }

  void SetValue(TStringList value) { ChangeValue(std::move(value)); }
  using TValueProperty::EditValue;
  using TValueProperty::SetDefault;

  // Comma text with pfCommaText, else lines; an absent attribute reads as an empty list.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;
};

}  // namespace mervanta
