#include "wizards/advanced_search_wizard.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QRadioButton>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/columns_view.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/sources_view.h"
#include "dialogs/wizard.h"
#include "model/table_sources.h"
#include "search/extended_search.h"
#include "search/search_equals.h"
#include "support/errors.h"
#include "wizards/page_content.h"
#include "wizards/siner.h"

namespace mervanta {

namespace {

constexpr const char* kWindowName = "SearchExForm";
constexpr int kRowCount = 7;
constexpr int kRepeatingRecords = 1;

QCheckBox& CheckBox(const char* name, const char* text) {
  auto* box = new QCheckBox(QString::fromLatin1(text));
  box->setObjectName(QString::fromLatin1(name));
  return *box;
}

// A titled box of radio buttons, the first one checked; the buttons' ids and names count from 0.
QGroupBox& ChoiceBox(const char* name, const char* title, std::initializer_list<const char*> items,
                     QButtonGroup*& group) {
  auto* box = new QGroupBox(QString::fromLatin1(title));
  box->setObjectName(QString::fromLatin1(name));
  group = new QButtonGroup(box);
  auto* layout = new QVBoxLayout(box);
  for (const char* item : items) {
    auto* button = new QRadioButton(QString::fromLatin1(item));
    const int id = static_cast<int>(group->buttons().size());
    button->setObjectName(box->objectName() + QString::number(id));
    group->addButton(button, id);
    layout->addWidget(button);
  }
  group->button(0)->setChecked(true);
  return *box;
}

}  // namespace

TSearchExForm::TSearchExForm(QWidget* parent, TTableSources& sources)
    : QDialog(parent), Sources_(sources), Wizard_(&AddWizard(*this)) {
  setObjectName(QString::fromLatin1(kWindowName));
  setWindowTitle(QStringLiteral("Advanced Search"));
  AddWelcomePage(
      *Wizard_, "Advanced Search",
      QStringLiteral(
          "This search offers extended possibilities when searching through the records of a "
          "table.\n\nFor example: Search among everything found or only chosen records, search "
          "for a specific line length, on a mask, match case, at the beginning or at the end of a "
          "line, on an excluding line, search of several repeating values, etc."));
  BuildInitialPage();
  BuildValuesPage();
  BuildRepeatsPage();
  BuildOperationPage();
  Values_->SetNextPage(Operation_);
  Repeats_->SetNextPage(Operation_);
  LinkInitialPage();
  connect(Kinds_, &QListWidget::currentRowChanged, this, &TSearchExForm::LinkInitialPage);
  AddWizardHelpButton(*this, "advancedsearch");
  RestorePlacement(*this, kWindowName);
}

TSearchExForm::~TSearchExForm() = default;

std::unique_ptr<TSearch> TSearchExForm::Execute(QWidget* parent, TTableSources& sources) {
  TSearchExForm form(parent, sources);
  return form.exec() == Accepted ? form.TakeSearch() : nullptr;
}

void TSearchExForm::BuildInitialPage() {
  const TInitialPage initial =
      AddInitialPage(*Wizard_, Sources_, "Choose a source and a kind of search", "&Kind of search",
                     {QStringLiteral("By values"), QStringLiteral("Repeating records")});
  Initial_ = &initial.Page;
  SourcesView_ = &initial.Sources;
  Kinds_ = &initial.Kinds;
  Initial_->OnBeforeNext = [this] { SelectedRecords(*SourcesView_, Sources_); };
}

void TSearchExForm::LinkInitialPage() {
  Initial_->SetNextPage(Kinds_->currentRow() == kRepeatingRecords ? Repeats_ : Values_);
}

void TSearchExForm::BuildValuesPage() {
  Values_ = &AddWizardPage(*Wizard_, "wpValues", "Conditions of search",
                           "Choose columns and specify for them conditions");
  auto& layout = ContentLayout<QVBoxLayout>(*Values_);
  auto* grid = new QGridLayout;
  grid->setVerticalSpacing(3);
  layout.addLayout(grid);
  int column = 0;
  for (const char* heading : {"Column", "Condition", "Value"}) {
    grid->addWidget(new QLabel(QString::fromLatin1(heading)), 0, column);
    grid->setColumnStretch(column++, 1);
  }
  auto* line = new QFrame;
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  grid->addWidget(line, 1, 0, 1, 3);
  for (int row = 0; row < kRowCount; ++row) {
    Rows_.push_back(new TSiner(Sources_.Columns(), *grid, row + 2, QString::number(row + 1)));
  }
  layout.addStretch(1);
  AnyCondition_ = &CheckBox("AnyCondition", "&Even one condition is true");
  CaseSensitive_ = &CheckBox("CaseSensitive", "Case &sensitive");
  layout.addWidget(AnyCondition_);
  layout.addWidget(CaseSensitive_);
  Values_->OnBeforeNext = [this] {
    if (std::ranges::none_of(Rows_, &TSiner::Active)) throw EOperationAborted();
  };
}

void TSearchExForm::BuildRepeatsPage() {
  Repeats_ = &AddWizardPage(*Wizard_, "wpRepeats", "Conditions of search",
                            "Specify conditions of search of repeating records");
  Columns_ = new TColumnsView(TColumnsChecking::Free, false);
  Columns_->setObjectName(QStringLiteral("Columns"));
  Columns_->SetColumns(&Sources_.Columns());
  AnyField_ = &CheckBox("AnyField", "Concurrence even on &one field");
  CaseSensitiveRepeats_ = &CheckBox("CaseSensitiveRepeats", "Case &sensitive at comparison");
  IgnoreEmpty_ = &CheckBox("IgnoreEmpty", "&Ignore empty values");
  QGroupBox& conclusion =
      ChoiceBox("Conclusion", "Conclusion of result",
                {"O&riginals and recurrences", "Only rec&urrences"}, Conclusion_);

  auto& layout = ContentLayout<QHBoxLayout>(*Repeats_);
  auto* columns = new QVBoxLayout;
  columns->addWidget(&Caption("&Columns", Columns_));
  columns->addWidget(Columns_, 1);
  layout.addLayout(columns, 1);
  auto* options = new QVBoxLayout;
  for (QWidget* option : std::initializer_list<QWidget*>{AnyField_, CaseSensitiveRepeats_,
                                                         IgnoreEmpty_, &conclusion}) {
    options->addWidget(option);
  }
  options->addStretch(1);
  layout.addLayout(options, 1);
  Repeats_->OnBeforeNext = [this] {
    if (!Columns_->AnyChecked()) throw EOperationAborted();
  };
}

void TSearchExForm::BuildOperationPage() {
  Operation_ = &AddWizardPage(*Wizard_, "wpOperation", "Additional parameters",
                              "Here it is possible to specify additional parameters of search");
  Operation_->SetNoteText(QStringLiteral("Press \"Finish\" for performance of search."));
  OperationBox_ = &ChoiceBox("Operation", "Operation above the previous result of search",
                             {"&Replace", "&Add", "Re&move"}, Operations_);
  // Nothing found yet to add to or take from.
  OperationBox_->setEnabled(Sources_.SearchResults.Count() > 0);
  auto& layout = ContentLayout<QVBoxLayout>(*Operation_);
  layout.addWidget(OperationBox_);
  layout.addStretch(1);
  Operation_->OnBeforeNext = [this] { BuildSearch(); };
}

std::unique_ptr<TSearch> TSearchExForm::BuildValuesSearch() const {
  auto search = std::make_unique<TExtendedSearch>(Sources_.Source(SourcesView_->SelectedSource()));
  search->SetAnyCondition(AnyCondition_->isChecked());
  search->SetIgnoreCase(!CaseSensitive_->isChecked());
  for (const TSiner* row : Rows_) row->AddTo(*search);
  return search;
}

std::unique_ptr<TSearch> TSearchExForm::BuildRepeatsSearch() const {
  auto search = std::make_unique<TSearchEquals>(Sources_.Source(SourcesView_->SelectedSource()));
  search->SetAnyField(AnyField_->isChecked());
  search->SetIgnoreCase(!CaseSensitiveRepeats_->isChecked());
  search->SetIgnoreEmpty(IgnoreEmpty_->isChecked());
  search->SetKeepOriginals(Conclusion_->checkedId() == 0);
  for (TColumn* column : Columns_->CheckedColumns()) search->AddColumn(*column);
  return search;
}

void TSearchExForm::BuildSearch() {
  std::unique_ptr<TSearch> search =
      Kinds_->currentRow() == kRepeatingRecords ? BuildRepeatsSearch() : BuildValuesSearch();
  search->SetOperation(static_cast<TSearchOperation>(Operations_->checkedId()));
  Search_ = std::move(search);
}

void TSearchExForm::done(int result) {
  StorePlacement(*this, kWindowName);
  QDialog::done(result);
}

}  // namespace mervanta
