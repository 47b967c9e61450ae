#pragma once

#include <string>
#include <utility>

#include "settings/property.h"

namespace mervanta {

// What every kind shares: a value and a default of one type, compared by ==. TDerived
// provides SetValue, which normalises and then calls ChangeValue.
template <class TDerived, class TValue, TPropertyKind KindOfValue>
class TValueProperty : public TProperty {
 public:
  const TValue& Value() const { return Value_; }
  const TValue& Default() const { return Default_; }

  TPropertyKind Kind() const override { return KindOfValue; }
  bool IsDefault() const override { return Value_ == Default_; }
  void Reset() override { static_cast<TDerived&>(*this).SetValue(Default_); }
  // Through the setter, so the source's value is normalised and notified like any other.
  void Assign(const TProperty& source) override {
    if (source.Kind() != KindOfValue) RaiseKindMismatch();
    static_cast<TDerived&>(*this).SetValue(static_cast<const TDerived&>(source).Value());
  }

 protected:
  TValueProperty(std::string name, std::string caption, TValue defaultValue)
      : TProperty(std::move(name), std::move(caption)),
        Value_(defaultValue),
        Default_(std::move(defaultValue)) {}

  void ChangeValue(TValue value) {
    if (value == Value_) return;
    Value_ = std::move(value);
    Changed();
  }
  void SetDefault(TValue value) { Default_ = std::move(value); }

  // Edits a copy of the value and sets it back, so an edit notifies exactly like SetValue.
  template <class TEdit>
  void EditValue(TEdit&& edit) {
    TValue value = Value_;
    std::forward<TEdit>(edit)(value);
    static_cast<TDerived&>(*this).SetValue(std::move(value));
  }

 private:
  TValue Value_;
  TValue Default_;
};

}  // namespace mervanta
