#include "dialogs/new_table_dialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QVBoxLayout>
#include <string>

#include "dialogs/dialog_buttons.h"
#include "dialogs/error_box.h"
#include "dialogs/table_option_boxes.h"
#include "settings/qt_values.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/trim.h"
#include "table/table.h"

namespace mervanta {

namespace {

// The captions typed one a line, trimmed, blank lines left out; each must fit the code page.
std::vector<std::string> ColumnCaptions(const QString& text) {
  std::vector<std::string> captions;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    const std::string caption = Utf8ToAnsi(line.toStdString());
    const std::string_view trimmed = Trimmed(caption);
    if (!trimmed.empty()) captions.emplace_back(trimmed);
  }
  if (captions.empty()) throw EMervantaError("Table must contain at least one nonvirtual column");
  return captions;
}

QString CaptionLines(const TColumns& columns) {
  QStringList lines;
  for (const auto& column : columns) lines.append(DisplayText(column->Caption->Value()));
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

TNewForm::TNewForm(QWidget* parent, std::function<bool(TTable&)> create)
    : QDialog(parent),
      Create_(std::move(create)),
      Table_(std::make_unique<TTable>()),
      Columns_(new QPlainTextEdit(this)) {
  Table_->New();
  setObjectName(QStringLiteral("NewForm"));
  setWindowTitle(QStringLiteral("Creating Table"));

  auto* layout = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("&Columns (change line to specify a new column)"), this);
  label->setBuddy(Columns_);
  layout->addWidget(label);
  Columns_->setObjectName(QStringLiteral("Columns"));
  Columns_->setTabChangesFocus(true);
  Columns_->setLineWrapMode(QPlainTextEdit::NoWrap);
  Columns_->setPlainText(CaptionLines(Table_->Columns()));
  layout->addWidget(Columns_, 1);

  auto* note = new QLabel(QStringLiteral("Specify column names and set the table properties. You "
                                         "will be able to modify them later (through the Tools "
                                         "menu)."),
                          this);
  note->setObjectName(QStringLiteral("Note"));
  note->setWordWrap(true);
  layout->addWidget(note);

  Options_ = std::make_unique<TTableOptionBoxes>(*this, *layout, Table_->Options());

  AddDialogButtons(*this, *layout, "newtable", QDialogButtonBox::Ok | QDialogButtonBox::Cancel);

  Columns_->setFocus();
  resize(sizeHint().width() + 40, sizeHint().height() + 80);
}

TNewForm::~TNewForm() = default;

std::unique_ptr<TTable> TNewForm::TakeTable() {
  return result() == Accepted ? std::move(Table_) : nullptr;
}

void TNewForm::accept() {
  RunShowingErrors([this] {
    MakeColumns();
    Options_->Write();
    if (Create_(*Table_)) QDialog::accept();
  });
}

// Built apart first, so that a list the table cannot take leaves the table's columns as they
// were.
void TNewForm::MakeColumns() {
  TColumns columns;
  for (const std::string& caption : ColumnCaptions(Columns_->toPlainText())) {
    auto column = std::make_unique<TColumn>(TColumnStorage::Stored);
    column->Caption->SetValue(caption);
    columns.Add(std::move(column));
  }
  Table_->Columns().Assign(columns);
}

std::unique_ptr<TTable> NewTableDialog(QWidget* parent,
                                       const std::function<bool(TTable&)>& create) {
  TNewForm form(parent, create);
  form.exec();
  return form.TakeTable();
}

}  // namespace mervanta
