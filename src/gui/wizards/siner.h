#pragma once

#include <QObject>

class QComboBox;
class QGridLayout;
class QLineEdit;
class QSpinBox;

namespace mervanta {

class TColumn;
class TColumns;
class TSearchByConditions;

// One condition row of the advanced search: a column, a kind, and the text or length the kind
// compares with. A row without a column takes no part; the fields a row does not use are hidden.
class TSiner final : public QObject {
  Q_OBJECT

 public:
  // Puts the row's four controls side by side into `row` of the grid; their names end in
  // `suffix`.
  TSiner(const TColumns& columns, QGridLayout& grid, int row, const QString& suffix);

  QComboBox& ColumnBox() const { return *Column_; }
  QComboBox& ConditionBox() const { return *Condition_; }
  QLineEdit& TextField() const { return *Text_; }
  QSpinBox& NumberField() const { return *Number_; }

  bool Active() const;
  // Adds the row's condition when the row is active.
  void AddTo(TSearchByConditions& search) const;

 private:
  void UpdateVisibility();

  QComboBox* Column_;
  QComboBox* Condition_;
  QLineEdit* Text_;
  QSpinBox* Number_;
};

}  // namespace mervanta
