#include "settings/color_property.h"

#include "support/xml_tag.h"

namespace mervanta {

void TColorProperty::ReadValue(const TXmlTag& element, std::string_view attrName) {
  SetValue(element.ReadColor(attrName, Default()));
}

void TColorProperty::WriteValue(TXmlTag& element, std::string_view attrName) const {
  element.WriteColor(attrName, Value());
}

}  // namespace mervanta
