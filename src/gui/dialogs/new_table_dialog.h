#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class QPlainTextEdit;

namespace mervanta {

class TTable;
class TTableOptionBoxes;

// "Creating Table": the captions of a new table's columns, one a line, and its options. OK
// makes the columns and hands the table to `create`, which stores it (asking for a file
// name) and answers whether it did; only then does the dialog close. A refusal is shown and
// leaves the typed lines as they are.
class TNewForm final : public QDialog {
  Q_OBJECT

 public:
  TNewForm(QWidget* parent, std::function<bool(TTable&)> create);
  ~TNewForm() override;

  // The table, once the dialog closed with success; else null.
  std::unique_ptr<TTable> TakeTable();

  void accept() override;

 private:
  void MakeColumns();

  std::function<bool(TTable&)> Create_;
  std::unique_ptr<TTable> Table_;
  QPlainTextEdit* Columns_;
  std::unique_ptr<TTableOptionBoxes> Options_;
};

// Shows "Creating Table"; `create` stores the table (asking for a file name) and answers whether
// it did. Answers the table, or null when cancelled.
std::unique_ptr<TTable> NewTableDialog(QWidget* parent, const std::function<bool(TTable&)>& create);

}  // namespace mervanta
