#include "settings/font_property.h"

#include "support/xml_helpers.h"

namespace mervanta {

namespace {

TFont MakeFont(std::string name, int size, TFontStyles style, TColor color) {
  TFont font;
  font.Name = std::move(name);
  font.Size = size;
  font.Style = style;
  font.Color = color;
  return font;
}

}  // namespace

TFontProperty::TFontProperty(std::string name, std::string caption, std::string fontName, int size,
                             TFontStyles style, TColor color)
    : TValueProperty(std::move(name), std::move(caption),
                     MakeFont(std::move(fontName), size, style, color)) {}

void TFontProperty::ReadValue(const TXmlTag& element, std::string_view) {
  TFont font = Default();
  ReadFont(element, font);
  SetValue(std::move(font));
}

void TFontProperty::WriteValue(TXmlTag& element, std::string_view) const {
  WriteFont(element, Value());
}

}  // namespace mervanta
