#include "settings/string_property.h"

#include "support/xml_tag.h"

namespace mervanta {

namespace {

bool IsBlank(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

}  // namespace

std::string NormaliseText(std::string_view text, TPropertyFlags flags) {
  if (flags & pfTrimLeft) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  }
  if (flags & pfTrimRight) {
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  }
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
