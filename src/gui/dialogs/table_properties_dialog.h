#pragma once

#include <QDialog>
#include <memory>

#include "support/msg_sender.h"

class QLabel;
class QPushButton;
class QStackedWidget;
class QTreeWidget;

namespace mervanta {

class TColumnsView;
class TReportPage;
class TTable;
class TTableOptionBoxes;

// "Table Properties": the table's columns, its options and password, and its report, one
// page per node of the category tree. A read-only table can be looked at but not changed.
// The options are written when the dialog closes.
class TTableForm final : public QDialog {
  Q_OBJECT

 public:
  TTableForm(QWidget* parent, TTable& table);
  ~TTableForm() override;

  void done(int result) override;

 private:
  QWidget* MakeColumnsPage();
  QWidget* MakeOptionsPage();
  QPushButton* AddButton(QLayout& layout, const char* name, const char* caption);
  void ShowCategory();
  void UpdateButtons();
  void AddColumn(bool isVirtual);
  void EditSelected();
  void DeleteSelected();
  void MoveSelected(int step);
  void ChangePassword();
  void Heard(const TMsg& msg);

  TTable& Table_;
  bool ReadOnly_;
  QTreeWidget* Categories_;
  QLabel* Caption_;
  QStackedWidget* Pages_;
  TColumnsView* ColumnsView_ = nullptr;
  QPushButton* AddColumn_ = nullptr;
  QPushButton* AddVirtual_ = nullptr;
  QPushButton* Edit_ = nullptr;
  QPushButton* Delete_ = nullptr;
  QPushButton* MoveUp_ = nullptr;
  QPushButton* MoveDown_ = nullptr;
  std::unique_ptr<TTableOptionBoxes> Options_;
  // Emptied on any change of the columns.
  TReportPage* Report_ = nullptr;
  TReportPage* Calculations_ = nullptr;
  TMsgSubscription Subscription_;
};

void ShowTablePropertiesDialog(QWidget* parent, TTable& table);

}  // namespace mervanta
