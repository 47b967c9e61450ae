#pragma once

#include <string_view>

namespace mervanta {

class TProperty;
class TPropertiesCategory;

// The category's own property of that name, as the description file names it, ignoring the
// case of A to Z; raises "Unknown property "%s"" with the names there are.
TProperty& NamedProperty(const TPropertiesCategory& category, std::string_view name);

// Sets the property, announcing the change, from a text as the description file stores it:
// "Y" or "N", a whole number within the property's range, a choice by its index or its name,
// or any text. Raises for a text the property's kind does not take.
void SetPropertyText(TProperty& property, std::string_view text);

}  // namespace mervanta
