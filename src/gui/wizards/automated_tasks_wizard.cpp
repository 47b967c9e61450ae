#include "wizards/automated_tasks_wizard.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "dialogs/columns_view.h"
#include "dialogs/sources_view.h"
#include "dialogs/wizard.h"
#include "operations/operation.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "support/errors.h"
#include "support/xml_tag.h"
#include "table/table.h"
#include "views/desktop_services.h"
#include "views/grid.h"
#include "wizards/automated_tasks_position.h"
#include "wizards/page_content.h"

namespace mervanta {

namespace {

constexpr const char* kWindowName = "OperationsForm";
constexpr std::string_view kKindKey = "Operation";
constexpr int kKindCount = static_cast<int>(TOperationKind::Trim) + 1;

QStringList Lines(std::string_view text) {
  return DisplayText(text).split(QStringLiteral("\r\n"));
}

QSpinBox& NumberBox(const char* name) {
  auto* box = new QSpinBox;
  box->setObjectName(QString::fromLatin1(name));
  box->setRange(std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
  return *box;
}

}  // namespace

TAutomatedTasksForm::TAutomatedTasksForm(QWidget* parent, TTable& table)
    : QDialog(parent),
      Table_(table),
      Operation_(std::make_unique<TOperation>()),
      Wizard_(&AddWizard(*this)) {
  setObjectName(QString::fromLatin1(kWindowName));
  setWindowTitle(QStringLiteral("Automated tasks"));

  Preview_.Columns().Assign(table.Columns());
  Operation_->Records = &Preview_.AddSource("Preview", &table.Sources().Source(0));
  Preview_.SetCurrentIndex(0);

  AddWelcomePage(
      *Wizard_, "Automated tasks",
      QStringLiteral(
          "Automated table processing allows you to edit multiple records automatically.\n\n"
          "Features: Merge or divide columns, exchange column values, automatically fill columns "
          "with data, change the register of a writing at once in all records and much more..."));
  BuildInitialPage();
  BuildColumnPages();
  BuildPositionPages();
  BuildDataPage();
  BuildPreviewPage();
  LinkPages();
  connect(Kinds_, &QListWidget::currentRowChanged, this, &TAutomatedTasksForm::LinkPages);

  AddWizardHelpButton(*this, "automatedtasks");
}

// The pages' views and grids follow the preview set, so they go before it does.
TAutomatedTasksForm::~TAutomatedTasksForm() {
  Kinds_->disconnect(this);
  qDeleteAll(findChildren<TWizardPage*>(Qt::FindDirectChildrenOnly));
}

void TAutomatedTasksForm::BuildInitialPage() {
  const TInitialPage initial =
      AddInitialPage(*Wizard_, Table_.Sources(), "Choose a source and a kind of operation",
                     "&Kind of operation", Lines(kOperationKindNames));
  Initial_ = &initial.Page;
  Sources_ = &initial.Sources;
  Kinds_ = &initial.Kinds;
  const int stored = DesktopServices().SessionElement(kWindowName).ReadInteger(kKindKey, 0);
  Kinds_->setCurrentRow(std::clamp(stored, 0, kKindCount - 1));
  Initial_->OnBeforeNext = [this] { LeaveInitialPage(); };
}

void TAutomatedTasksForm::LeaveInitialPage() {
  const int source = SelectedRecords(*Sources_, Table_.Sources());
  Operation_->Kind = static_cast<TOperationKind>(Kinds_->currentRow());
  LinkPages();
  Operation_->Records->Assign(Table_.Sources().Source(source));
}

// The initial page shows Next at once, with the chain of the kind selected.
void TAutomatedTasksForm::LinkPages() {
  const TOperationNeeds needs =
      TOperation::Needs(static_cast<TOperationKind>(Kinds_->currentRow()));
  TWizardPage* last = Initial_;
  for (const auto& [need, page] : {std::pair{TOperationNeeds::Column, OneColumn_},
                                   std::pair{TOperationNeeds::ColumnList, ColumnsList_},
                                   std::pair{TOperationNeeds::Position, Position_},
                                   std::pair{TOperationNeeds::Interval, Interval_},
                                   std::pair{TOperationNeeds::Data, PasteData_}}) {
    if (!Has(needs, need)) continue;
    last->SetNextPage(page);
    last = page;
  }
  last->SetNextPage(Result_);
  Wizard_->UpdateButtons();
}

void TAutomatedTasksForm::BuildColumnPages() {
  OneColumn_ = &AddWizardPage(*Wizard_, "wpOneColumn", "Choice of a column",
                              "Choose a column for performance of operation");
  OneColumnView_ = new TColumnsView(TColumnsChecking::None, true);
  OneColumnView_->setObjectName(QStringLiteral("OneColumn"));
  OneColumnView_->SetColumns(&Preview_.Columns());
  auto& one = ContentLayout<QVBoxLayout>(*OneColumn_);
  one.addWidget(&Caption("&Columns", OneColumnView_));
  one.addWidget(OneColumnView_, 1);
  OneColumn_->OnShow = [this] {
    if (OneColumnView_->SelectedColumn() == nullptr) {
      OneColumnView_->setCurrentItem(OneColumnView_->topLevelItem(0));
    }
  };
  OneColumn_->OnBeforeNext = [this] {
    const TColumn* chosen = OneColumnView_->SelectedColumn();
    if (chosen == nullptr) throw EOperationAborted();
    Operation_->Column = chosen;
    const TColumns& columns = Preview_.Columns();
    for (int index = 0; index < columns.Count(); ++index) {
      columns[index].Visible->SetValue(&columns[index] == chosen);
    }
  };

  ColumnsList_ = &AddWizardPage(*Wizard_, "wpColumnsList", "A choice of columns",
                                "Choose one or several columns");
  ColumnsListView_ = new TColumnsView(TColumnsChecking::Visible, true);
  ColumnsListView_->setObjectName(QStringLiteral("ColumnsList"));
  ColumnsListView_->SetDeferChecks(true);
  ColumnsListView_->SetColumns(&Preview_.Columns());
  auto& list = ContentLayout<QVBoxLayout>(*ColumnsList_);
  list.addWidget(&Caption("&Columns", ColumnsListView_));
  list.addWidget(ColumnsListView_, 1);
  ColumnsList_->OnBeforeNext = [this] { LeaveColumnsList(); };
}

void TAutomatedTasksForm::LeaveColumnsList() {
  if (!ColumnsListView_->AnyChecked()) throw EOperationAborted();
  // The list leaves computed columns out, so they show in no preview either.
  const TColumns& columns = Preview_.Columns();
  for (int index = 0; index < columns.Count(); ++index) {
    if (columns[index].IsVirtual()) columns[index].Visible->SetValue(false);
  }
  ColumnsListView_->ApplyChecks();
  Operation_->Columns.clear();
  for (int index = 0; index < columns.Count(); ++index) {
    if (columns[index].Visible->Value()) Operation_->Columns.push_back(&columns[index]);
  }
}

void TAutomatedTasksForm::BuildPositionPages() {
  const auto repaint = [this] { RepaintGrids(); };
  Position_ = &AddWizardPage(*Wizard_, "wpPosition", "Choice of a position",
                             "Choose a position for the insert");
  auto& position = ContentLayout<QGridLayout>(*Position_);
  QWidget& positionArea = *position.parentWidget();
  auto* insert =
      new TAutomatedTasksPosition(Operation_->Position, positionArea, "Position", repaint);
  position.addWidget(&Caption("&Position", &insert->Mode()), 0, 0);
  position.addWidget(&insert->Mode(), 0, 1);
  position.addWidget(&Caption("&Value", &insert->Number()), 1, 0);
  position.addWidget(&insert->Number(), 1, 1);
  position.addWidget(&insert->Text(), 1, 1);
  position.setRowStretch(2, 1);
  position.setColumnStretch(1, 1);
  AddPreviewGrid(*Position_, 60,
                 {.GetCaret = [this](const TColumn& column, int& caret, const TRecord& record) {
                   if (!Operation_->AppliesTo(column)) return;
                   caret = TOperation::ResolvePosition(Operation_->Position, record.Value(column));
                 }});

  Interval_ = &AddWizardPage(*Wizard_, "wpInterval", "A choice of an interval",
                             "Choose a symbolical interval above which operation will be made");
  auto& interval = ContentLayout<QGridLayout>(*Interval_);
  QWidget& intervalArea = *interval.parentWidget();
  auto* start =
      new TAutomatedTasksPosition(Operation_->IntervalStart, intervalArea, "Start", repaint);
  auto* end = new TAutomatedTasksPosition(Operation_->IntervalEnd, intervalArea, "End", repaint);
  // Captions above the fields leave each mode box half the page, wide enough for its names.
  interval.setVerticalSpacing(2);
  interval.setHorizontalSpacing(2);
  interval.addWidget(&Caption("&Position", &start->Mode()), 0, 0);
  interval.addWidget(&Caption("&Value", &start->Number()), 2, 0);
  int column = 0;
  for (TAutomatedTasksPosition* edge : {start, end}) {
    interval.addWidget(&edge->Mode(), 1, column);
    interval.addWidget(&edge->Number(), 3, column);
    interval.addWidget(&edge->Text(), 3, column);
    interval.setColumnStretch(column++, 1);
  }
  interval.setRowStretch(4, 1);
  TCellEvents marks;
  marks.GetMarkRange = [this](const TColumn& column, int& first, int& last, const TRecord& record) {
    if (!Operation_->AppliesTo(column)) return;
    const TOperationInterval range = Operation_->ResolveInterval(record.Value(column));
    if (range.End > range.Start) {
      first = range.Start + 1;
      last = range.End;
    }
  };
  marks.GetCaretPair = [this](const TColumn& column, int& caretA, int& caretB,
                              const TRecord& record) {
    if (!Operation_->AppliesTo(column)) return;
    const TOperationInterval range = Operation_->ResolveInterval(record.Value(column));
    caretA = range.Start;
    caretB = range.End;
  };
  AddPreviewGrid(*Interval_, 96, std::move(marks));
}

void TAutomatedTasksForm::BuildDataPage() {
  PasteData_ = &AddWizardPage(*Wizard_, "wpPasteData", "Data input",
                              "Enter data for fill/insert/replacement");
  DataKind_ = new QComboBox;
  DataKind_->setObjectName(QStringLiteral("DataKind"));
  DataKind_->addItems(Lines(kOperationDataKindNames));
  auto* panels = new QStackedWidget;
  DataText_ = new QLineEdit;
  DataText_->setObjectName(QStringLiteral("DataText"));
  DataStart_ = &NumberBox("DataStart");
  DataStep_ = &NumberBox("DataStep");
  DataColumnView_ = new TColumnsView(TColumnsChecking::None, false);
  DataColumnView_->setObjectName(QStringLiteral("DataColumn"));
  DataColumnView_->SetColumns(&Preview_.Columns());
  DataColumnView_->setCurrentItem(DataColumnView_->topLevelItem(0));

  auto* text = new QWidget;
  auto* textLayout = new QFormLayout(text);
  textLayout->addRow(&Caption("V&alue", DataText_), DataText_);
  auto* number = new QWidget;
  auto* numberLayout = new QFormLayout(number);
  numberLayout->addRow(&Caption("V&alue", DataStart_), DataStart_);
  numberLayout->addRow(&Caption("&Increment", DataStep_), DataStep_);
  auto* other = new QWidget;
  auto* otherLayout = new QVBoxLayout(other);
  otherLayout->addWidget(&Caption("&Columns", DataColumnView_));
  otherLayout->addWidget(DataColumnView_, 1);
  for (QWidget* panel : {text, number, other}) {
    panel->layout()->setContentsMargins(0, 0, 0, 0);
    panels->addWidget(panel);
  }
  connect(DataKind_, &QComboBox::currentIndexChanged, panels, &QStackedWidget::setCurrentIndex);

  auto& layout = ContentLayout<QFormLayout>(*PasteData_);
  layout.addRow(&Caption("&Type of data", DataKind_), DataKind_);
  layout.addRow(panels);
  PasteData_->OnBeforeNext = [this] {
    TOperationData& data = Operation_->Data;
    data.Kind = static_cast<TOperationDataKind>(DataKind_->currentIndex());
    data.Text = AnsiText(DataText_->text());
    data.Start = DataStart_->value();
    data.Step = DataStep_->value();
    data.Column = DataColumnView_->SelectedColumn();
  };
}

void TAutomatedTasksForm::BuildPreviewPage() {
  Result_ = &AddWizardPage(*Wizard_, "wpPreview", "A preview of result",
                           "Be convinced, that the true result is received, and press \"Finish\"");
  // Asked only for the rows painted, so a preview costs as much as one screen.
  AddPreviewGrid(*Result_, 0,
                 {.GetCellText = [this](int row, std::string& text, const TColumn& column) {
                   if (Operation_->AppliesTo(column)) text = Operation_->ComputeText(row, column);
                 }});
  Result_->OnBeforeNext = [this] { Operation_->Execute(); };
}

void TAutomatedTasksForm::AddPreviewGrid(TWizardPage& page, int top, TCellEvents events) {
  page.OnShow = [this, &page, top, events = std::move(events)] {
    if (TGrid* grid = PreviewGrid(page)) {
      grid->RepaintLists();
      return;
    }
    auto* grid = new TGrid(Options(), Pictures_, &page);
    grid->setObjectName(QStringLiteral("PreviewGrid"));
    grid->setGeometry(page.ContentRect().adjusted(0, top, 0, 0));
    grid->Build(Preview_, {.Events = events});
    grid->show();
  };
}

TGrid* TAutomatedTasksForm::PreviewGrid(const TWizardPage& page) const {
  return page.findChild<TGrid*>(QStringLiteral("PreviewGrid"));
}

void TAutomatedTasksForm::RepaintGrids() {
  for (const TWizardPage* page : {Position_, Interval_}) {
    if (TGrid* grid = PreviewGrid(*page)) grid->RepaintLists();
  }
}

void TAutomatedTasksForm::done(int result) {
  DesktopServices().SessionElement(kWindowName).WriteInteger(kKindKey, Kinds_->currentRow());
  QDialog::done(result);
}

void ShowAutomatedTasksWizard(QWidget* parent, TTable& table) {
  TAutomatedTasksForm form(parent, table);
  form.exec();
}

}  // namespace mervanta
