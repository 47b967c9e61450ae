#pragma once

#include <QDialog>
#include <string>

class QComboBox;

namespace mervanta {

class TQuickSearchHistory;

// "Quick Search": one text, with the texts confirmed before offered in its list.
class TQuickSearchDialog final : public QDialog {
  Q_OBJECT

 public:
  TQuickSearchDialog(QWidget* parent, const std::string& text);

  // The text as typed, in the table's code page; throws when the code page cannot hold it.
  std::string Text() const;
  QComboBox& Field() const { return *Field_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void StepHistory(bool next);

  QComboBox* Field_;
};

// Shows the dialog with `text`; on OK `text` takes what was entered, which the history keeps.
bool QuickSearchDialog(QWidget* parent, std::string& text);

}  // namespace mervanta
