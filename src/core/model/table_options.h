#pragma once

#include "settings/boolean_property.h"
#include "settings/properties_category.h"

namespace mervanta {

// A table's own options, stored directly in the description file's "Options" element.
class TTableOptions final : public TPropertiesCategory {
 public:
  TTableOptions();

  TBooleanProperty* const AllowEmpty;
  TBooleanProperty* const NoEquals;
  TBooleanProperty* const InsertFirst;
  TBooleanProperty* const NoTrim;
  TBooleanProperty* const DenySort;
};

}  // namespace mervanta
