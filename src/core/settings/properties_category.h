#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "settings/property.h"

namespace mervanta {

class TXmlTag;

// A named group of properties and sub-categories that stores itself in an XML element,
// copies itself from a tree of the same shape, and tells every ancestor when a property in
// it changes. It owns its sub-categories and properties, kept in creation order.
class TPropertiesCategory {
 public:
  using TChangeEvent = std::function<void(TPropertiesCategory& sender, TProperty& property)>;

  // With an empty name the category lives directly in the element it is given.
  TPropertiesCategory() = default;
  TPropertiesCategory(std::string name, std::string caption)
      : Name_(std::move(name)), Caption_(std::move(caption)) {}
  virtual ~TPropertiesCategory();
  TPropertiesCategory(const TPropertiesCategory&) = delete;
  TPropertiesCategory& operator=(const TPropertiesCategory&) = delete;

  TPropertiesCategory* Parent() const { return Parent_; }
  // Moves the category to the end of another parent's list. A category that no parent owns
  // yet joins one through AdoptCategory instead.
  void SetParent(TPropertiesCategory& parent);

  const std::string& Name() const { return Name_; }
  // UTF-8, for the options tree.
  const std::string& Caption() const { return Caption_; }

  // Called when a property of this category or of any sub-category changes.
  TChangeEvent OnChange;

  int CategoryCount() const { return static_cast<int>(Categories_.size()); }
  TPropertiesCategory& CategoryAt(int index) const {
    return *Categories_[static_cast<std::size_t>(index)];
  }
  int PropertyCount() const { return static_cast<int>(Properties_.size()); }
  TProperty& PropertyAt(int index) const { return *Properties_[static_cast<std::size_t>(index)]; }

  template <class TCategory, class... TArgs>
  TCategory* AddCategory(TArgs&&... args) {
    return AdoptCategory(std::make_unique<TCategory>(std::forward<TArgs>(args)...));
  }
  template <class TCategory>
  TCategory* AdoptCategory(std::unique_ptr<TCategory> category) {
    TCategory* added = category.get();
    Append(std::move(category));
    return added;
  }
  template <class TKind, class... TArgs>
  TKind* AddProperty(TArgs&&... args) {
    return AdoptProperty(std::make_unique<TKind>(std::forward<TArgs>(args)...));
  }
  template <class TKind>
  TKind* AdoptProperty(std::unique_ptr<TKind> property) {
    TKind* added = property.get();
    Append(std::move(property));
    return added;
  }

  // The working element is `element` itself when the name is empty, else its first child
  // of that name (created when missing). Sub-categories come first, then the properties.
  // Every property is set, to its default when the element holds none. The category's own
  // OnChange is silent while it loads; Changed overrides and the ancestors hear real changes.
  virtual void LoadFromXml(TXmlTag& element);
  // A property equal to its default leaves no trace unless it has pfStoreAlways.
  virtual void SaveToXml(TXmlTag& element) const;

  // Copies every value from a tree built by the same constructors, position by position;
  // a tree of another shape throws EMervantaError.
  void Assign(const TPropertiesCategory& source);

  // Calls OnChange, then passes the property on to the parent.
  virtual void Changed(TProperty& property);

 private:
  friend class TProperty;

  TXmlTag& WorkingElement(TXmlTag& element) const;
  void Append(std::unique_ptr<TPropertiesCategory> category);
  void Append(std::unique_ptr<TProperty> property);
  std::unique_ptr<TPropertiesCategory> Remove(const TPropertiesCategory& category);
  std::unique_ptr<TProperty> Remove(const TProperty& property);

  TPropertiesCategory* Parent_ = nullptr;
  std::string Name_;
  std::string Caption_;
  std::vector<std::unique_ptr<TPropertiesCategory>> Categories_;
  std::vector<std::unique_ptr<TProperty>> Properties_;
};

}  // namespace mervanta
