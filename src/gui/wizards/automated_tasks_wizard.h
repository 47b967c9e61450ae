#pragma once

#include <QDialog>
#include <memory>

#include "model/sources.h"
#include "views/picture_cache.h"

class QComboBox;
class QListWidget;
class QSpinBox;
class QLineEdit;

namespace mervanta {

class TColumnsView;
struct TCellEvents;
class TOperation;
class TGrid;
class TSourcesView;
class TTable;
class TWizard;
class TWizardPage;

// The wizard that applies one automated task to a record list of a table. The task walks a
// copy of the chosen list in a private set of lists whose columns are copies of the table's,
// so the previews can show only the task's columns while the records stay the table's own.
class TAutomatedTasksForm final : public QDialog {
  Q_OBJECT

 public:
  TAutomatedTasksForm(QWidget* parent, TTable& table);
  ~TAutomatedTasksForm() override;

  TWizard& Wizard() const { return *Wizard_; }
  const TOperation& Operation() const { return *Operation_; }
  // The preview grid of the page, once the page has been shown; null before.
  TGrid* PreviewGrid(const TWizardPage& page) const;

 protected:
  void done(int result) override;

 private:
  void BuildInitialPage();
  void BuildColumnPages();
  void BuildPositionPages();
  void BuildDataPage();
  void BuildPreviewPage();
  // The grid fills the page's content below its fields, first built when the page shows.
  void AddPreviewGrid(TWizardPage& page, int top, TCellEvents events);
  void LinkPages();
  void LeaveInitialPage();
  void LeaveColumnsList();
  void RepaintGrids();

  TTable& Table_;
  // Held apart so that including this header brings in no operators of the task's flags.
  std::unique_ptr<TOperation> Operation_;
  TSources Preview_;
  TPictureCache Pictures_;
  TWizard* Wizard_;
  TWizardPage* Initial_ = nullptr;
  TWizardPage* OneColumn_ = nullptr;
  TWizardPage* ColumnsList_ = nullptr;
  TWizardPage* Position_ = nullptr;
  TWizardPage* Interval_ = nullptr;
  TWizardPage* PasteData_ = nullptr;
  TWizardPage* Result_ = nullptr;
  TSourcesView* Sources_ = nullptr;
  QListWidget* Kinds_ = nullptr;
  TColumnsView* OneColumnView_ = nullptr;
  TColumnsView* ColumnsListView_ = nullptr;
  QComboBox* DataKind_ = nullptr;
  QLineEdit* DataText_ = nullptr;
  QSpinBox* DataStart_ = nullptr;
  QSpinBox* DataStep_ = nullptr;
  TColumnsView* DataColumnView_ = nullptr;
};

// Runs the wizard modally on the table.
void ShowAutomatedTasksWizard(QWidget* parent, TTable& table);

}  // namespace mervanta
