#include "settings/boolean_property.h"

#include "support/xml_tag.h"

namespace mervanta {

void TBooleanProperty::ReadValue(const TXmlTag& element, std::string_view attrName) {
  std::string text = element.ReadString(attrName);
  SetValue(text.empty() ? Default() : text == "Y");
}

void TBooleanProperty::WriteValue(TXmlTag& element, std::string_view attrName) const {
  element.WriteBool(attrName, Value());
}

}  // namespace mervanta
