#include "wizards/automated_tasks_position.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <limits>

#include "settings/qt_values.h"

namespace mervanta {

namespace {

bool IsIndexMode(TPositionMode mode) {
  return mode == TPositionMode::SymbolIndex || mode == TPositionMode::SymbolIndexFromEnd;
}

}  // namespace

TAutomatedTasksPosition::TAutomatedTasksPosition(TOperationPosition& position, QWidget& parent,
                                                 const QString& name, std::function<void()> changed)
    : QObject(&parent),
      Position_(position),
      Mode_(new QComboBox(&parent)),
      Number_(new QSpinBox(&parent)),
      Text_(new QLineEdit(&parent)),
      Changed_(std::move(changed)) {
  Mode_->setObjectName(name + QStringLiteral("Mode"));
  Number_->setObjectName(name + QStringLiteral("Number"));
  Text_->setObjectName(name + QStringLiteral("Text"));
  Mode_->addItems(DisplayText(kPositionModeNames).split(QStringLiteral("\r\n")));
  Number_->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  Mode_->setCurrentIndex(static_cast<int>(position.Mode));
  Number_->setValue(position.Index);
  Text_->setText(DisplayText(position.Text));
  Text_->setVisible(!IsIndexMode(position.Mode));
  Number_->setVisible(IsIndexMode(position.Mode));
  connect(Mode_, &QComboBox::currentIndexChanged, this, &TAutomatedTasksPosition::Store);
  connect(Number_, &QSpinBox::valueChanged, this, &TAutomatedTasksPosition::Store);
  connect(Text_, &QLineEdit::textChanged, this, &TAutomatedTasksPosition::Store);
}

void TAutomatedTasksPosition::Store() {
  Position_.Mode = static_cast<TPositionMode>(Mode_->currentIndex());
  Position_.Index = Number_->value();
  Position_.Text = AnsiText(Text_->text());
  const bool index = IsIndexMode(Position_.Mode);
  Number_->setVisible(index);
  Text_->setVisible(!index);
  Changed_();
}

}  // namespace mervanta
