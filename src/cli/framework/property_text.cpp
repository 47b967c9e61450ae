#include "framework/property_text.h"

#include <limits>
#include <string>

#include "framework/argument_text.h"
#include "settings/boolean_property.h"
#include "settings/integer_property.h"
#include "settings/item_index_property.h"
#include "settings/properties_category.h"
#include "settings/string_property.h"
#include "support/errors.h"

namespace mervanta {

namespace {

[[noreturn]] void RaiseInvalid(const TProperty& property, std::string_view text,
                               const std::string& expected) {
  throw EMervantaError("Invalid value \"" + std::string(text) + "\" for " + property.Name() + ": " +
                       expected);
}

void SetBoolean(TBooleanProperty& property, std::string_view text) {
  if (SameWord(text, "Y") || SameWord(text, "N")) {
    property.SetValue(SameWord(text, "Y"));
  } else {
    RaiseInvalid(property, text, "Y or N");
  }
}

void SetInteger(TIntegerProperty& property, std::string_view text) {
  const int least = property.HasRange() ? property.Min() : std::numeric_limits<int>::min();
  const int most = property.HasRange() ? property.Max() : std::numeric_limits<int>::max();
  property.SetValue(IntegerArgument(text, property.Name(), least, most));
}

void SetItemIndex(TItemIndexProperty& property, std::string_view text) {
  const TStringList& items = property.Items();
  std::string expected;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (text == std::to_string(i) || SameWord(text, items[i])) {
      property.SetValue(static_cast<int>(i));
      return;
    }
    expected += (i == 0 ? "" : ", ") + std::to_string(i) + " " + items[i];
  }
  RaiseInvalid(property, text, expected);
}

}  // namespace

TProperty& NamedProperty(const TPropertiesCategory& category, std::string_view name) {
  std::string names;
  for (int i = 0; i < category.PropertyCount(); ++i) {
    TProperty& property = category.PropertyAt(i);
    if (SameWord(property.Name(), name)) return property;
    names += (i == 0 ? "" : ", ") + property.Name();
  }
  throw EMervantaError("Unknown property \"" + std::string(name) + "\" (there are " + names + ")");
}

void SetPropertyText(TProperty& property, std::string_view text) {
  switch (property.Kind()) {
    case TPropertyKind::Boolean:
      SetBoolean(static_cast<TBooleanProperty&>(property), text);
      return;
    case TPropertyKind::Integer:
      SetInteger(static_cast<TIntegerProperty&>(property), text);
      return;
    case TPropertyKind::ItemIndex:
      SetItemIndex(static_cast<TItemIndexProperty&>(property), text);
      return;
    case TPropertyKind::String:
      static_cast<TStringProperty&>(property).SetValue(text);
      return;
    default:
      throw EMervantaError("The property " + property.Name() + " cannot be set here");
  }
}

}  // namespace mervanta
