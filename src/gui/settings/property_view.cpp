#include "settings/property_view.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <limits>

#include "settings/boolean_property.h"
#include "settings/color_button.h"
#include "settings/color_property.h"
#include "settings/font_button.h"
#include "settings/font_property.h"
#include "settings/integer_property.h"
#include "settings/item_index_property.h"
#include "settings/properties_category.h"
#include "settings/qt_values.h"
#include "settings/radio_group.h"
#include "settings/string_list_property.h"
#include "settings/string_property.h"

namespace mervanta {

namespace {

QString CaptionOf(const TProperty& property) {
  return QString::fromStdString(property.Caption());
}

QStringList Choices(const TStringList& items) {
  QStringList choices;
  for (const std::string& item : items) choices.append(DisplayText(item));
  return choices;
}

}  // namespace

void TPropertiesView::Add(const TProperty& property, QLabel* label, std::function<void()> apply,
                          std::function<void()> showDefault) {
  if (label != nullptr) label->setText(CaptionOf(property));
  Bindings_.push_back({&property, std::move(apply), std::move(showDefault)});
}

void TPropertiesView::BindCheckBox(TBooleanProperty& property, QCheckBox& control) {
  control.setText(CaptionOf(property));
  control.setMinimumWidth(control.fontMetrics().horizontalAdvance(control.text()) +
                          control.sizeHint().height() + 8);
  control.setChecked(property.Value());
  Add(
      property, nullptr, [&] { property.SetValue(control.isChecked()); },
      [&] { control.setChecked(property.Default()); });
}

void TPropertiesView::BindColor(TColorProperty& property, TColorButton& control, QLabel* label) {
  control.SetColor(property.Value());
  Add(
      property, label, [&] { property.SetValue(control.Color()); },
      [&] { control.SetColor(property.Default()); });
}

void TPropertiesView::BindFont(TFontProperty& property, TFontButton& control) {
  control.SetPrinterFonts(property.HasFlag(pfPrinterFont));
  control.SetNoteText(CaptionOf(property));
  control.SetFont(property.Value());
  Add(
      property, nullptr, [&] { property.SetValue(control.Font()); },
      [&] { control.SetFont(property.Default()); });
}

void TPropertiesView::BindInteger(TIntegerProperty& property, QSpinBox& control, QLabel* label) {
  if (property.HasRange()) {
    control.setRange(property.Min(), property.Max());
  } else {
    control.setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  }
  control.setValue(property.Value());
  Add(
      property, label, [&] { property.SetValue(control.value()); },
      [&] { control.setValue(property.Default()); });
}

void TPropertiesView::BindComboBox(TItemIndexProperty& property, QComboBox& control,
                                   QLabel* label) {
  control.clear();
  control.addItems(Choices(property.Items()));
  control.setCurrentIndex(property.Value());
  Add(
      property, label, [&] { property.SetValue(control.currentIndex()); },
      [&] { control.setCurrentIndex(property.Default()); });
}

void TPropertiesView::BindRadioGroup(TItemIndexProperty& property, TRadioGroup& control) {
  control.setTitle(CaptionOf(property));
  control.SetItems(Choices(property.Items()));
  control.SetItemIndex(property.Value());
  Add(
      property, nullptr, [&] { property.SetValue(control.ItemIndex()); },
      [&] { control.SetItemIndex(property.Default()); });
}

void TPropertiesView::BindEdit(TStringProperty& property, QLineEdit& control, QLabel* label) {
  control.setText(DisplayText(property.Value()));
  Add(
      property, label, [&] { property.SetValue(AnsiText(control.text())); },
      [&] { control.setText(DisplayText(property.Default())); });
}

void TPropertiesView::BindMemo(TStringListProperty& property, QPlainTextEdit& control,
                               QLabel* label) {
  control.setPlainText(DisplayLines(property.Value()));
  Add(
      property, label, [&] { property.SetValue(AnsiLines(control.toPlainText())); },
      [&] { control.setPlainText(DisplayLines(property.Default())); });
}

void TPropertiesView::ApplyAll() {
  for (const TBinding& binding : Bindings_) binding.Apply();
}

void TPropertiesView::ResetToDefaults(const TPropertiesCategory& category, bool recursive) {
  if (recursive) {
    for (int index = 0; index < category.CategoryCount(); ++index) {
      ResetToDefaults(category.CategoryAt(index), true);
    }
  }
  for (int index = 0; index < category.PropertyCount(); ++index) {
    const TProperty* property = &category.PropertyAt(index);
    for (const TBinding& binding : Bindings_) {
      if (binding.Property == property) binding.ShowDefault();
    }
  }
}

}  // namespace mervanta
