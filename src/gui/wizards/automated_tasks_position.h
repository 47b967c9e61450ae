#pragma once

#include <QObject>
#include <functional>

#include "operations/operation.h"

class QComboBox;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace mervanta {

// The mode box and the value fields of one position of an automated task: a number for the
// index modes, a text for the substring modes. Every change is written into the position at
// once and then reported.
class TAutomatedTasksPosition final : public QObject {
  Q_OBJECT

 public:
  TAutomatedTasksPosition(TOperationPosition& position, QWidget& parent, const QString& name,
                          std::function<void()> changed);

  QComboBox& Mode() const { return *Mode_; }
  QSpinBox& Number() const { return *Number_; }
  QLineEdit& Text() const { return *Text_; }

 private:
  void Store();

  TOperationPosition& Position_;
  QComboBox* Mode_;
  QSpinBox* Number_;
  QLineEdit* Text_;
  std::function<void()> Changed_;
};

}  // namespace mervanta
