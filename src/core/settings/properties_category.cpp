#include "settings/properties_category.h"

#include <algorithm>

#include "support/errors.h"
#include "support/xml_tag.h"

namespace mervanta {

namespace {

// Puts a category's handler aside for a scope.
class TSilencedChange {
 public:
  explicit TSilencedChange(TPropertiesCategory::TChangeEvent& event)
      : Event_(event), Saved_(std::exchange(event, nullptr)) {}
  ~TSilencedChange() { Event_ = std::move(Saved_); }
  TSilencedChange(const TSilencedChange&) = delete;
  TSilencedChange& operator=(const TSilencedChange&) = delete;

 private:
  TPropertiesCategory::TChangeEvent& Event_;
  TPropertiesCategory::TChangeEvent Saved_;
};

void LoadProperty(TProperty& property, TXmlTag& element) {
  const std::string& name = property.Name();
  const bool attribute = property.HasFlag(pfAttribute);
  const TXmlTag* child = attribute ? nullptr : element.FindChild(name);
  if (attribute && element.Exists(name)) {
    property.ReadValue(element, name);
  } else if (child != nullptr) {
    property.ReadValue(*child, "value");
  } else {
    // Saving leaves no trace of a default, so an absent setting is one.
    property.Reset();
  }
}

void SaveProperty(const TProperty& property, TXmlTag& element) {
  const std::string& name = property.Name();
  const bool attribute = property.HasFlag(pfAttribute);
  if (property.IsDefault() && !property.HasFlag(pfStoreAlways)) {
    if (attribute) {
      element.DeleteParam(name);
    } else {
      element.DeleteChild(name);
    }
  } else if (attribute) {
    property.WriteValue(element, name);
  } else {
    property.WriteValue(*element.Child(name), "value");
  }
}

template <class TItem>
std::unique_ptr<TItem> Take(std::vector<std::unique_ptr<TItem>>& list, const TItem& item) {
  auto found = std::find_if(list.begin(), list.end(), [&](const std::unique_ptr<TItem>& entry) {
    return entry.get() == &item;
  });
  std::unique_ptr<TItem> taken = std::move(*found);
  list.erase(found);
  return taken;
}

}  // namespace

TPropertiesCategory::~TPropertiesCategory() = default;

void TPropertiesCategory::SetParent(TPropertiesCategory& parent) {
  if (Parent_ == nullptr) return;
  for (const TPropertiesCategory* above = &parent; above != nullptr; above = above->Parent_) {
    if (above == this) throw EMervantaError("A settings group cannot be moved into itself");
  }
  parent.Append(Parent_->Remove(*this));
}

TXmlTag& TPropertiesCategory::WorkingElement(TXmlTag& element) const {
  return Name_.empty() ? element : *element.Child(Name_);
}

void TPropertiesCategory::LoadFromXml(TXmlTag& element) {
  TSilencedChange silenced(OnChange);
  TXmlTag& working = WorkingElement(element);
  for (const auto& category : Categories_) category->LoadFromXml(working);
  for (const auto& property : Properties_) LoadProperty(*property, working);
}

void TPropertiesCategory::SaveToXml(TXmlTag& element) const {
  TXmlTag& working = WorkingElement(element);
  for (const auto& category : Categories_) category->SaveToXml(working);
  for (const auto& property : Properties_) SaveProperty(*property, working);
}

void TPropertiesCategory::Assign(const TPropertiesCategory& source) {
  if (source.Categories_.size() != Categories_.size() ||
      source.Properties_.size() != Properties_.size()) {
    throw EMervantaError("Settings of another shape cannot be copied");
  }
  for (std::size_t i = 0; i < Categories_.size(); ++i) {
    Categories_[i]->Assign(*source.Categories_[i]);
  }
  for (std::size_t i = 0; i < Properties_.size(); ++i) {
    Properties_[i]->Assign(*source.Properties_[i]);
  }
}

void TPropertiesCategory::Changed(TProperty& property) {
  if (OnChange) OnChange(*this, property);
  if (Parent_ != nullptr) Parent_->Changed(property);
}

void TPropertiesCategory::Append(std::unique_ptr<TPropertiesCategory> category) {
  category->Parent_ = this;
  Categories_.push_back(std::move(category));
}

void TPropertiesCategory::Append(std::unique_ptr<TProperty> property) {
  property->Category_ = this;
  Properties_.push_back(std::move(property));
}

std::unique_ptr<TPropertiesCategory> TPropertiesCategory::Remove(
    const TPropertiesCategory& category) {
  return Take(Categories_, category);
}

std::unique_ptr<TProperty> TPropertiesCategory::Remove(const TProperty& property) {
  return Take(Properties_, property);
}

}  // namespace mervanta
