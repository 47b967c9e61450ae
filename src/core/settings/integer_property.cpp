#include "settings/integer_property.h"

#include <algorithm>

#include "support/xml_tag.h"

namespace mervanta {

void TIntegerProperty::SetValue(int value) {
  ChangeValue(HasRange() ? std::max(Min_, std::min(value, Max_)) : value);
}

void TIntegerProperty::ReadValue(const TXmlTag& element, std::string_view attrName) {
  SetValue(element.ReadInteger(attrName, Default(), Max_, Min_));
}

void TIntegerProperty::WriteValue(TXmlTag& element, std::string_view attrName) const {
  element.WriteInteger(attrName, Value());
}

}  // namespace mervanta
