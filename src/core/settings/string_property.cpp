#include "settings/string_property.h"

#include "support/trim.h"
#include "support/xml_tag.h"

namespace mervanta {

std::string NormaliseText(std::string_view text, TPropertyFlags flags) {
  if (flags & pfTrimLeft) text = TrimmedLeft(text);
  if (flags & pfTrimRight) text = TrimmedRight(text);
  std::string result(text);
  if ((flags & pfDirectory) && !result.empty() && result.back() != kDirectoryDelimiter) {
    result += kDirectoryDelimiter;
  }
  return result;
}

void TStringProperty::ReadValue(const TXmlTag& element, std::string_view attrName) {
  SetValue(element.ReadString(attrName, Default()));
}

void TStringProperty::WriteValue(TXmlTag& element, std::string_view attrName) const {
  element.WriteString(attrName, Value());
}

}  // namespace mervanta
