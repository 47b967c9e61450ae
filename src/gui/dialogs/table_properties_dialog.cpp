#include "dialogs/table_properties_dialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dialogs/column_dialog.h"
#include "dialogs/columns_view.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/error_box.h"
#include "dialogs/password_dialog.h"
#include "dialogs/report_page.h"
#include "dialogs/table_option_boxes.h"
#include "model/notices.h"
#include "report/table_info.h"
#include "support/errors.h"
#include "support/user_interface.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr const char* kWindowName = "TableForm";

}  // namespace

TTableForm::TTableForm(QWidget* parent, TTable& table)
    : QDialog(parent),
      Table_(table),
      ReadOnly_(table.ReadOnly()),
      Categories_(new QTreeWidget(this)),
      Caption_(new QLabel(this)),
      Pages_(new QStackedWidget(this)),
      Subscription_(BindListener<&TTableForm::Heard>(this)) {
  setObjectName(QStringLiteral("TableForm"));
  setWindowTitle(QStringLiteral("Table Properties"));

  Categories_->setObjectName(QStringLiteral("Categories"));
  Categories_->setHeaderLabel(QStringLiteral("Category"));
  Categories_->setRootIsDecorated(false);
  Categories_->setItemsExpandable(false);
  Caption_->setObjectName(QStringLiteral("Caption"));
  QFont bold = Caption_->font();
  bold.setBold(true);
  Caption_->setFont(bold);
  Pages_->setObjectName(QStringLiteral("Pages"));

  Report_ = new TReportPage(
      [this](TStringList& lines) { TTableInfo::Summary(Table_.Facts(), lines); }, this);
  Calculations_ = new TReportPage(
      [this](TStringList& lines) { TTableInfo::ColumnStatistics(Table_.Sources(), lines); }, this);
  auto* description = new TReportPage(
      [this](TStringList& lines) { TTableInfo::DescriptionText(Table_.Facts(), lines); }, this);
  Report_->setObjectName(QStringLiteral("Report"));
  Calculations_->setObjectName(QStringLiteral("Calculations"));
  description->setObjectName(QStringLiteral("KxFile"));

  const std::pair<const char*, QWidget*> pages[] = {{"Columns", MakeColumnsPage()},
                                                    {"Options", MakeOptionsPage()},
                                                    {"Report", Report_},
                                                    {"Calculations", Calculations_},
                                                    {"KX-file", description}};
  QTreeWidgetItem* report = nullptr;
  for (const auto& [caption, page] : pages) {
    auto* node = report != nullptr ? new QTreeWidgetItem(report) : new QTreeWidgetItem(Categories_);
    node->setText(0, QString::fromLatin1(caption));
    if (page == Report_) report = node;
    Pages_->addWidget(page);
  }
  Categories_->expandAll();
  connect(Categories_, &QTreeWidget::currentItemChanged, this, &TTableForm::ShowCategory);

  auto* right = new QWidget(this);
  auto* rightLayout = new QVBoxLayout(right);
  rightLayout->setContentsMargins(0, 0, 0, 0);
  rightLayout->addWidget(Caption_);
  rightLayout->addWidget(Pages_, 1);
  auto* splitter = new QSplitter(this);
  splitter->addWidget(Categories_);
  splitter->addWidget(right);
  splitter->setStretchFactor(1, 1);
  splitter->setChildrenCollapsible(false);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(splitter, 1);
  AddDialogButtons(*this, *layout, "tableproperties", QDialogButtonBox::Close);

  Categories_->setCurrentItem(Categories_->topLevelItem(0));
  // Wide enough for the longest node, under the report node, with room for a frame.
  const int treeWidth =
      Categories_->fontMetrics().horizontalAdvance(QStringLiteral("Calculations")) +
      3 * Categories_->indentation();
  splitter->setSizes({treeWidth, 3 * treeWidth});
  resize(640, 440);
  RestorePlacement(*this, kWindowName);
}

TTableForm::~TTableForm() = default;

QWidget* TTableForm::MakeColumnsPage() {
  auto* page = new QWidget(this);
  auto* layout = new QHBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  ColumnsView_ = new TColumnsView(TColumnsChecking::Visible, false, page);
  ColumnsView_->setObjectName(QStringLiteral("ColumnsView"));
  ColumnsView_->SetColumns(&Table_.Columns());
  ColumnsView_->SetMoving(!ReadOnly_);
  layout->addWidget(ColumnsView_, 1);

  auto* buttons = new QVBoxLayout;
  AddColumn_ = AddButton(*buttons, "AddColumn", "Add Column");
  AddVirtual_ = AddButton(*buttons, "AddVirtual", "Add Virtual");
  Edit_ = AddButton(*buttons, "Edit", "Edit...");
  Delete_ = AddButton(*buttons, "Delete", "Delete");
  MoveUp_ = AddButton(*buttons, "MoveUp", "Move Up");
  MoveDown_ = AddButton(*buttons, "MoveDown", "Move Down");
  buttons->addStretch(1);
  layout->addLayout(buttons);

  connect(AddColumn_, &QPushButton::clicked, this, [this] { AddColumn(false); });
  connect(AddVirtual_, &QPushButton::clicked, this, [this] { AddColumn(true); });
  connect(Edit_, &QPushButton::clicked, this, &TTableForm::EditSelected);
  connect(Delete_, &QPushButton::clicked, this, &TTableForm::DeleteSelected);
  connect(MoveUp_, &QPushButton::clicked, this, [this] { MoveSelected(-1); });
  connect(MoveDown_, &QPushButton::clicked, this, [this] { MoveSelected(1); });
  connect(ColumnsView_, &TColumnsView::Changed, this, &TTableForm::UpdateButtons);
  connect(ColumnsView_, &QTreeWidget::itemSelectionChanged, this, &TTableForm::UpdateButtons);
  connect(ColumnsView_, &QTreeWidget::itemDoubleClicked, this, [this] {
    if (Edit_->isEnabled()) EditSelected();
  });
  UpdateButtons();
  return page;
}

QPushButton* TTableForm::AddButton(QLayout& layout, const char* name, const char* caption) {
  auto* button = new QPushButton(QString::fromLatin1(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  layout.addWidget(button);
  return button;
}

QWidget* TTableForm::MakeOptionsPage() {
  auto* page = new QWidget(this);
  auto* layout = new QVBoxLayout(page);
  layout->setContentsMargins(0, 0, 0, 0);
  Options_ = std::make_unique<TTableOptionBoxes>(*page, *layout, Table_.Options());
  Options_->SetEnabled(!ReadOnly_);
  auto* password = new QHBoxLayout;
  QPushButton* button = AddButton(*password, "Password", "Pass&word...");
  button->setEnabled(!ReadOnly_);
  connect(button, &QPushButton::clicked, this, &TTableForm::ChangePassword);
  password->addStretch(1);
  layout->addSpacing(layout->spacing() * 2);
  layout->addLayout(password);
  layout->addStretch(1);
  return page;
}

void TTableForm::ShowCategory() {
  QTreeWidgetItem* node = Categories_->currentItem();
  if (node == nullptr) return;
  int index = 0;
  for (QTreeWidgetItemIterator it(Categories_); *it != node; ++it) ++index;
  Caption_->setText(node->text(0));
  Pages_->setCurrentIndex(index);
}

void TTableForm::UpdateButtons() {
  const TColumn* column = ColumnsView_->SelectedColumn();
  const bool writable = !ReadOnly_;
  AddColumn_->setEnabled(writable);
  AddVirtual_->setEnabled(writable);
  Edit_->setEnabled(column != nullptr);
  Delete_->setEnabled(writable && column != nullptr);
  MoveUp_->setEnabled(writable && column != nullptr && column->Index() > 0);
  MoveDown_->setEnabled(writable && column != nullptr &&
                        column->Index() < Table_.Columns().Count() - 1);
}

void TTableForm::AddColumn(bool isVirtual) {
  RunShowingErrors([this, isVirtual] {
    const TColumnStorage storage = isVirtual ? TColumnStorage::Virtual : TColumnStorage::Stored;
    auto column = std::make_unique<TColumn>(storage);
    column->Caption->SetValue(Table_.Columns().NewCaption(storage));
    ColumnsView_->SelectColumn(Table_.Columns().Add(std::move(column)));
  });
}

void TTableForm::EditSelected() {
  if (TColumn* column = ColumnsView_->SelectedColumn()) EditColumn(this, *column, ReadOnly_);
}

void TTableForm::DeleteSelected() {
  TColumn* column = ColumnsView_->SelectedColumn();
  if (column == nullptr) return;
  RunShowingErrors([this, column] {
    TColumns& columns = Table_.Columns();
    if (!column->IsVirtual() && columns.StoredCount() == 1) {
      throw EMervantaError("Table must contain at least one nonvirtual column");
    }
    std::string question =
        "Are you sure you want to delete the column \"" + column->Caption->Value() + "\"?";
    if (!column->IsVirtual()) question += "\nWarning! All values in this column will be lost.";
    if (ShowMessageBox(question, "Confirmation", TButtons::YesNo, TIcon::Warning) == TAnswer::Yes) {
      columns.Remove(*column);
    }
  });
}

void TTableForm::MoveSelected(int step) {
  if (TColumn* column = ColumnsView_->SelectedColumn()) {
    Table_.Columns().Move(*column, column->Index() + step);
    ColumnsView_->SelectColumn(*column);
  }
}

void TTableForm::ChangePassword() {
  std::string password = Table_.Password();
  if (AskNewPassword(this, password)) Table_.SetPassword(std::move(password));
}

void TTableForm::Heard(const TMsg& msg) {
  if (msg.Sender != &Table_.Columns() || !TColumnNotice::IsColumnCode(msg.Code)) return;
  Report_->clear();
  Calculations_->clear();
  UpdateButtons();
}

void TTableForm::done(int result) {
  if (!ReadOnly_) Options_->Write();
  StorePlacement(*this, kWindowName);
  QDialog::done(result);
}

void ShowTablePropertiesDialog(QWidget* parent, TTable& table) {
  TTableForm form(parent, table);
  form.exec();
}

}  // namespace mervanta
