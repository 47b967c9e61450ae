#pragma once

#include "settings/value_property.h"
#include "support/font.h"

namespace mervanta {

// The font is edited only through SetValue or EditValue, so every change is announced.
class TFontProperty final : public TValueProperty<TFontProperty, TFont, TPropertyKind::Font> {
 public:
  TFontProperty(std::string name, std::string caption, std::string fontName, int size,
                TFontStyles style, TColor color);

  void SetValue(TFont value) { ChangeValue(std::move(value)); }
  using TValueProperty::EditValue;

  // The font lives in the attributes Name, Size, Color, Style and Charset of the element
  // itself, so the attribute name is not used. A missing part reads as the default's.
  void ReadValue(const TXmlTag& element, std::string_view attrName) override;
  void WriteValue(TXmlTag& element, std::string_view attrName) const override;
};

}  // namespace mervanta
