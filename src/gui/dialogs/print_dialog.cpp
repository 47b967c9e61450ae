#include "dialogs/print_dialog.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>

#include "dialogs/columns_view.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/error_box.h"
#include "dialogs/sources_view.h"
#include "dialogs/temporary_files.h"
#include "dialogs/titled_box.h"
#include "exchange/records_exporter.h"
#include "model/records.h"
#include "model/table_sources.h"
#include "settings/option_categories.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "table/table.h"

namespace mervanta {

bool AskPrinter(QWidget& parent, QPrinter& printer) {
  QPrintDialog dialog(&printer, &parent);
  return dialog.exec() == QDialog::Accepted;
}

namespace {

constexpr const char* kWindowName = "PrintForm";

QString RecordLines(const TTable& table, const TRecord& record) {
  QStringList lines;
  for (const auto& column : table.Columns()) lines << DisplayText(record.Value(*column));
  return lines.join('\n');
}

// The page as the printer gets it; pictures are named by full paths, which the file's own
// location resolves.
void PrintPage(const std::string& fileName, QPrinter& printer) {
  QTextDocument page;
  page.setBaseUrl(QUrl::fromLocalFile(QString::fromStdString(fileName)));
  page.setHtml(DisplayText(ReadWholeFile(fileName)));
  page.print(&printer);
  if (printer.printerState() == QPrinter::Error) {
    throw EMervantaError("Print error (" + std::to_string(printer.printerState()) + ")");
  }
}

}  // namespace

TPrintForm::TPrintForm(QWidget* parent, TTable& table, TTemporaryFiles& pages)
    : QDialog(parent),
      Table_(table),
      Record_(nullptr),
      Pages_(pages),
      Sources_(new TSourcesView(table.Sources(), this)),
      Columns_(new TColumnsView(TColumnsChecking::ToPrint, false, this)),
      AskPrinter_(AskPrinter) {
  Build();
}

TPrintForm::TPrintForm(QWidget* parent, TTable& table, TRecord& record, TTemporaryFiles& pages)
    : QDialog(parent),
      Table_(table),
      Record_(&record),
      Pages_(pages),
      Columns_(new TColumnsView(TColumnsChecking::ToPrint, false, this)),
      AskPrinter_(AskPrinter) {
  Build();
}

void TPrintForm::Build() {
  setObjectName(QString::fromLatin1(kWindowName));
  setWindowTitle(QStringLiteral("Print"));
  Columns_->setObjectName(QStringLiteral("ColumnsView"));
  Columns_->SetDeferChecks(true);
  Columns_->SetColumns(&Table_.Columns());

  auto* row = new QHBoxLayout;
  if (Sources_ != nullptr) {
    // A table shown nowhere yet has no current list.
    if (Sources_->currentItem() == nullptr) Sources_->setCurrentItem(Sources_->topLevelItem(0));
    AddTitledBox(*row, "&Source", *Sources_);
  } else {
    auto* values = new QPlainTextEdit(RecordLines(Table_, *Record_), this);
    values->setObjectName(QStringLiteral("RecordValues"));
    values->setReadOnly(true);
    values->setLineWrapMode(QPlainTextEdit::NoWrap);
    AddTitledBox(*row, "&Source", *values);
  }
  AddTitledBox(*row, "&Columns", *Columns_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row, 1);
  connect(AddCommandButtons(*this, *layout, "print", QStringLiteral("&Print..."),
                            QStringLiteral("Print")),
          &QPushButton::clicked, this, &TPrintForm::PrintChosen);

  Columns_->setFocus();
  resize(440, 300);
  RestorePlacement(*this, kWindowName);
}

void TPrintForm::done(int result) {
  StorePlacement(*this, kWindowName);
  QDialog::done(result);
}

void TPrintForm::PrintChosen() {
  if (!Columns_->AnyChecked()) return;
  RunShowingErrors([this] {
    if (Print()) accept();
  });
}

bool TPrintForm::Print() {
  TTableSources& sources = Table_.Sources();
  // One record is printed from a list of its own, which leaves the record where it is.
  TRecords single(Table_.Columns(), &sources.All);
  if (Record_ != nullptr) single.Add(*Record_);
  const int source = Sources_ != nullptr ? Sources_->SelectedSource() : -1;
  const TRecords* list = Record_ != nullptr ? &single
                         : source >= 0      ? &sources.Source(source)
                                            : nullptr;
  if (list == nullptr || list->Count() == 0) throw EMervantaError("The source is empty");

  QPrinter printer(QPrinter::HighResolution);
  printer.setDocName(QString::fromStdString(Table_.DisplayName()));
  if (!AskPrinter_(*this, printer)) return false;
  Columns_->ApplyChecks();
  const std::string fileName = TemporaryFileName();
  Pages_.Keep(fileName);
  const bool card = Record_ != nullptr || Options().Print->CardMode->Value();
  TRecordsExporter(*list, Table_.Folder())
      .Export(TExportFormat::Html, fileName,
              {.CardLayout = card, .ForPrint = true, .Title = Table_.DisplayName()});
  PrintPage(fileName, printer);
  return true;
}

void ShowPrintDialog(QWidget* parent, TTable& table, TTemporaryFiles& pages,
                     const TPrintForm::TPrinterPrompt& prompt) {
  TPrintForm form(parent, table, pages);
  form.SetPrinterPrompt(prompt);
  form.exec();
}

void ShowRecordPrintDialog(QWidget* parent, TTable& table, TRecord& record, TTemporaryFiles& pages,
                           const TPrintForm::TPrinterPrompt& prompt) {
  TPrintForm form(parent, table, record, pages);
  form.SetPrinterPrompt(prompt);
  form.exec();
}

}  // namespace mervanta
