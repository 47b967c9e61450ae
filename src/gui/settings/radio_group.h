#pragma once

#include <QGroupBox>
#include <QStringList>

class QButtonGroup;

namespace mervanta {

// A framed group of radio buttons, one a choice, with at most one selected.
class TRadioGroup final : public QGroupBox {
  Q_OBJECT

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  void SetItems(const QStringList& items);
  int ItemCount() const;
  // -1 when none is selected.
  int ItemIndex() const;
  void SetItemIndex(int index);

 private:
  QButtonGroup* Buttons_;
};

}  // namespace mervanta
