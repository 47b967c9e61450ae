#include "dialogs/column_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "dialogs/dialog_buttons.h"
#include "formula/methods_manager.h"
#include "model/columns.h"
#include "model/notices.h"
#include "settings/qt_values.h"
#include "support/locale.h"
#include "views/macros_menu.h"

namespace mervanta {

namespace {

QString PropertyCaption(const TProperty& property) {
  return QString::fromStdString(property.Caption());
}

std::string EditedText(const QString& text) {
  return Utf8ToAnsi(text.toStdString());
}

QListWidget* ReadOnlyList(QWidget* parent, const char* name, const QStringList& lines) {
  auto* list = new QListWidget(parent);
  list->setObjectName(QString::fromLatin1(name));
  list->addItems(lines);
  list->setSelectionMode(QAbstractItemView::NoSelection);
  return list;
}

// Lists beside each other, each under its label.
QVBoxLayout* Labelled(const QString& caption, QWidget* widget) {
  auto* column = new QVBoxLayout;
  auto* label = new QLabel(caption);
  label->setBuddy(widget);
  column->addWidget(label);
  column->addWidget(widget, 1);
  return column;
}

}  // namespace

TColumnForm::TColumnForm(QWidget* parent, TColumn& column, bool readOnly)
    : QDialog(parent), Column_(column) {
  setObjectName(QStringLiteral("ColumnForm"));
  setWindowTitle(QStringLiteral("Column"));
  auto* layout = new QVBoxLayout(this);

  auto* common = new QFormLayout;
  const auto addLine = [this, common](TStringProperty* property) {
    auto* edit = new QLineEdit(DisplayText(property->Value()), this);
    edit->setObjectName(QString::fromStdString(property->Name()));
    common->addRow(PropertyCaption(*property), edit);
    Writes_.emplace_back([edit, property] { property->SetValue(EditedText(edit->text())); });
  };
  addLine(column.Caption);
  addLine(column.Description);
  auto* alignment = new QComboBox(this);
  alignment->setObjectName(QStringLiteral("Alignment"));
  for (const std::string& item : column.Alignment->Items()) {
    alignment->addItem(QString::fromStdString(item));
  }
  alignment->setCurrentIndex(column.Alignment->Value());
  common->addRow(PropertyCaption(*column.Alignment), alignment);
  Writes_.emplace_back(
      [alignment, &column] { column.Alignment->SetValue(alignment->currentIndex()); });
  layout->addLayout(common);

  auto* pages = new QTabWidget(this);
  pages->setObjectName(QStringLiteral("Pages"));
  auto* page = new QWidget(pages);
  if (column.IsVirtual()) {
    AddVirtualPage(*page, *new QVBoxLayout(page));
    pages->addTab(page, QStringLiteral("Virtual"));
  } else {
    AddCommonPage(*page, *new QFormLayout(page));
    pages->addTab(page, QStringLiteral("Common"));
  }
  layout->addWidget(pages, 1);

  auto* buttons =
      AddDialogButtons(*this, *layout, "column", QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  buttons->button(QDialogButtonBox::Ok)->setEnabled(!readOnly);
}

void TColumnForm::AddCommonPage(QWidget& page, QFormLayout& form) {
  // The two choice groups side by side keep the dialog from growing tall.
  auto* groups = new QHBoxLayout;
  form.addRow(groups);
  for (TItemIndexProperty* property : {Column_.Type, Column_.Editor}) {
    auto* box = new QGroupBox(PropertyCaption(*property), &page);
    box->setObjectName(QString::fromStdString(property->Name()));
    auto* choices = new QVBoxLayout(box);
    auto* group = new QButtonGroup(box);
    for (int index = 0; index < property->ItemCount(); ++index) {
      auto* button = new QRadioButton(
          QString::fromStdString(property->Items()[static_cast<std::size_t>(index)]), box);
      button->setChecked(index == property->Value());
      group->addButton(button, index);
      choices->addWidget(button);
    }
    groups->addWidget(box);
    Writes_.emplace_back([group, property] { property->SetValue(group->checkedId()); });
  }

  auto* value = new QLineEdit(DisplayText(Column_.Default->Value()), &page);
  value->setObjectName(QStringLiteral("Default"));
  OfferMacros(*value);
  form.addRow(PropertyCaption(*Column_.Default), value);
  Writes_.emplace_back([value, this] { Column_.Default->SetValue(EditedText(value->text())); });

  for (TBooleanProperty* property : {Column_.UniqueValues, Column_.FilledValues}) {
    auto* box = new QCheckBox(PropertyCaption(*property), &page);
    box->setObjectName(QString::fromStdString(property->Name()));
    box->setChecked(property->Value());
    form.addRow(box);
    Writes_.emplace_back([box, property] { property->SetValue(box->isChecked()); });
  }
}

void TColumnForm::AddVirtualPage(QWidget& page, QBoxLayout& layout) {
  auto* formula = new QLineEdit(DisplayText(Column_.Formula->Value()), &page);
  formula->setObjectName(QStringLiteral("Formula"));
  auto* label = new QLabel(QStringLiteral("&Formula"), &page);
  label->setBuddy(formula);
  layout.addWidget(label);
  layout.addWidget(formula);
  Writes_.emplace_back([formula, this] { Column_.Formula->SetValue(EditedText(formula->text())); });

  QStringList codes;
  if (const TColumns* columns = Column_.Owner()) {
    for (const auto& each : *columns) {
      codes.append(QStringLiteral("#%1 - %2")
                       .arg(each->Index() + 1)
                       .arg(DisplayText(each->Caption->Value())));
    }
  }
  QStringList methods;
  for (const std::string& name : TMethodsManager::Names())
    methods.append(QString::fromStdString(name));
  auto* lists = new QHBoxLayout;
  lists->addLayout(
      Labelled(QStringLiteral("Column codes"), ReadOnlyList(&page, "ColumnCodes", codes)));
  lists->addLayout(Labelled(QStringLiteral("Methods"), ReadOnlyList(&page, "Methods", methods)));
  layout.addLayout(lists, 1);
}

// Views hear of the column once, whatever number of settings changed.
void TColumnForm::accept() {
  if (TColumns* columns = Column_.Owner()) {
    {
      TMsgBlock mute(columns);
      for (const auto& write : Writes_) write();
    }
    TColumnNotice{columns, &Column_}.Send(TMsgCode::ColumnChanged);
  } else {
    for (const auto& write : Writes_) write();
  }
  QDialog::accept();
}

void EditColumn(QWidget* parent, TColumn& column, bool readOnly) {
  TColumnForm form(parent, column, readOnly);
  form.exec();
}

}  // namespace mervanta
