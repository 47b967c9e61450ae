#include "settings/string_list_property.h"

#include "support/xml_tag.h"

namespace mervanta {

void TStringListProperty::ReadValue(const TXmlTag& element, std::string_view attrName) {
  std::string text = element.ReadString(attrName);
  SetValue(HasFlag(pfCommaText) ? CommaTextToList(text) : TextToList(text));
}

void TStringListProperty::WriteValue(TXmlTag& element, std::string_view attrName) const {
  element.WriteString(attrName,
                      HasFlag(pfCommaText) ? ListToCommaText(Value()) : ListToText(Value()));
}

}  // namespace mervanta
