#pragma once

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QSpinBox;

namespace mervanta {

class TBooleanProperty;
class TColorButton;
class TColorProperty;
class TFontButton;
class TFontProperty;
class TIntegerProperty;
class TItemIndexProperty;
class TPropertiesCategory;
class TProperty;
class TRadioGroup;
class TStringListProperty;
class TStringProperty;

// Binds properties to a dialog's controls: each bind fills its control (and names its label
// with the property's caption), ApplyAll writes the controls back through the properties'
// setters, ResetToDefaults shows defaults. It owns neither properties nor controls, which
// must outlive their bindings.
class TPropertiesView {
 public:
  TPropertiesView() = default;
  TPropertiesView(const TPropertiesView&) = delete;
  TPropertiesView& operator=(const TPropertiesView&) = delete;

  void BindCheckBox(TBooleanProperty& property, QCheckBox& control);
  void BindColor(TColorProperty& property, TColorButton& control, QLabel* label = nullptr);
  void BindFont(TFontProperty& property, TFontButton& control);
  void BindInteger(TIntegerProperty& property, QSpinBox& control, QLabel* label = nullptr);
  void BindComboBox(TItemIndexProperty& property, QComboBox& control, QLabel* label = nullptr);
  void BindRadioGroup(TItemIndexProperty& property, TRadioGroup& control);
  void BindEdit(TStringProperty& property, QLineEdit& control, QLabel* label = nullptr);
  void BindMemo(TStringListProperty& property, QPlainTextEdit& control, QLabel* label = nullptr);

  // In the order of binding; the setters clamp, trim and announce real changes.
  void ApplyAll();
  // Shows the defaults of the category's bound properties (first of its sub-categories when
  // recursive); the properties keep their values until ApplyAll.
  void ResetToDefaults(const TPropertiesCategory& category, bool recursive);
  void ClearBindings() { Bindings_.clear(); }
  int BindingCount() const { return static_cast<int>(Bindings_.size()); }

 private:
  struct TBinding {
    const TProperty* Property;
    std::function<void()> Apply;
    std::function<void()> ShowDefault;
  };

  void Add(const TProperty& property, QLabel* label, std::function<void()> apply,
           std::function<void()> showDefault);

  std::vector<TBinding> Bindings_;
};

}  // namespace mervanta
