#pragma once

#include <QDialog>
#include <functional>
#include <vector>

class QBoxLayout;
class QFormLayout;
class QWidget;

namespace mervanta {

class TColumn;

// "Column": the settings of one column, on the page "Common" for a stored column or
// "Virtual" for a computed one. The controls show the settings when made; OK writes them all
// and the list announces the column once, Cancel leaves it as it was.
class TColumnForm final : public QDialog {
  Q_OBJECT

 public:
  TColumnForm(QWidget* parent, TColumn& column, bool readOnly);

  void accept() override;

 private:
  void AddCommonPage(QWidget& page, QFormLayout& form);
  void AddVirtualPage(QWidget& page, QBoxLayout& layout);

  TColumn& Column_;
  // What OK writes into the column, one step per bound control.
  std::vector<std::function<void()>> Writes_;
};

// The column dialog; read-only shows the settings without letting them change.
void EditColumn(QWidget* parent, TColumn& column, bool readOnly);

}  // namespace mervanta
