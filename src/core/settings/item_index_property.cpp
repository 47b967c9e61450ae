#include "settings/item_index_property.h"

#include "support/xml_tag.h"

namespace mervanta {

void TItemIndexProperty::SetValue(int value) {
  if (value < 0) value = 0;
  if (value >= ItemCount()) value = ItemCount() - 1;
  ChangeValue(value);
}

void TItemIndexProperty::ReadValue(const TXmlTag& element, std::string_view attrName) {
  // Checked against every choice, even when there is only one: an index past the choices
  // would reach whoever looks the item up.
  int value = element.ReadInteger(attrName, Default());
  SetValue(value >= 0 && value < ItemCount() ? value : Default());
}

void TItemIndexProperty::WriteValue(TXmlTag& element, std::string_view attrName) const {
  element.WriteInteger(attrName, Value());
}

}  // namespace mervanta
