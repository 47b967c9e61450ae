#include "wizards/siner.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QSpinBox>

#include "model/columns.h"
#include "model/field_array.h"
#include "search/search_by_conditions.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

constexpr int kFirstLengthKind = static_cast<int>(TConditionKind::SameLength);

// A hidden control keeps its share of the row, so the columns stay put as rows change.
template <typename TControl>
TControl* Placed(TControl* control, const QString& name) {
  control->setObjectName(name);
  QSizePolicy policy = control->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  control->setSizePolicy(policy);
  return control;
}

}  // namespace

TSiner::TSiner(const TColumns& columns, QGridLayout& grid, int row, const QString& suffix)
    : QObject(grid.parentWidget()),
      Column_(Placed(new QComboBox, QStringLiteral("Column") + suffix)),
      Condition_(Placed(new QComboBox, QStringLiteral("Condition") + suffix)),
      Text_(Placed(new QLineEdit, QStringLiteral("Text") + suffix)),
      Number_(Placed(new QSpinBox, QStringLiteral("Number") + suffix)) {
  Column_->addItem(QString());
  for (const auto& column : columns) {
    Column_->addItem(DisplayText(column->Caption->Value()),
                     QVariant::fromValue(static_cast<void*>(column.get())));
  }
  for (std::string_view name : kConditionNames) Condition_->addItem(DisplayText(name));
  Number_->setRange(0, static_cast<int>(TFieldArray::kMaxFieldLength));
  grid.addWidget(Column_, row, 0);
  grid.addWidget(Condition_, row, 1);
  grid.addWidget(Text_, row, 2);
  grid.addWidget(Number_, row, 2);
  UpdateVisibility();
  connect(Column_, &QComboBox::currentIndexChanged, this, &TSiner::UpdateVisibility);
  connect(Condition_, &QComboBox::currentIndexChanged, this, &TSiner::UpdateVisibility);
}

bool TSiner::Active() const {
  return Column_->currentIndex() > 0;
}

void TSiner::AddTo(TSearchByConditions& search) const {
  if (!Active()) return;
  auto& column = *static_cast<TColumn*>(Column_->currentData().value<void*>());
  search.AddCondition(column, static_cast<TConditionKind>(Condition_->currentIndex()),
                      Number_->value(), AnsiText(Text_->text()));
}

void TSiner::UpdateVisibility() {
  const bool condition = Active();
  const bool text = condition && Condition_->currentIndex() < kFirstLengthKind;
  Condition_->setVisible(condition);
  Text_->setVisible(text);
  Number_->setVisible(condition && !text);
}

}  // namespace mervanta
