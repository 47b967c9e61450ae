#include "settings/property.h"

#include "settings/properties_category.h"
#include "support/errors.h"

namespace mervanta {

void TProperty::SetCategory(TPropertiesCategory& category) {
  if (Category_ == nullptr) return;
  category.Append(Category_->Remove(*this));
}

void TProperty::Changed() {
  if (Category_ != nullptr) Category_->Changed(*this);
}

void TProperty::RaiseKindMismatch() {
  throw EMervantaError("A setting cannot take the value of a setting of another kind");
}

}  // namespace mervanta
