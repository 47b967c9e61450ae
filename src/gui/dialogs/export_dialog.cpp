#include "dialogs/export_dialog.h"

#include <QFileDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/columns_view.h"
#include "dialogs/dialog_buttons.h"
#include "dialogs/dialog_placement.h"
#include "dialogs/error_box.h"
#include "dialogs/sources_view.h"
#include "dialogs/titled_box.h"
#include "exchange/records_exporter.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "support/errors.h"
#include "support/file_names.h"
#include "support/macros.h"
#include "support/xml_tag.h"
#include "table/export_target.h"
#include "table/table.h"
#include "views/desktop_services.h"

namespace mervanta {

namespace {

constexpr const char* kWindowName = "ExportForm";
constexpr std::string_view kFormatKey = "Format";

bool IsOfficeFormat(TExportFormat format) {
  return format == TExportFormat::ExcelCom || format == TExportFormat::WordCom;
}

// "HTML, HTM (*.html, *.htm)|*.html;*.htm" becomes "HTML, HTM (*.html *.htm)": Qt reads the
// patterns from the label, blank-separated.
QString SaveFilter(TExportFormat format) {
  const QStringList parts =
      QString::fromStdString(TRecordsExporter::FormatFilter(format)).split('|');
  const QString label = parts.value(0).section(QStringLiteral(" ("), 0, 0);
  const QString patterns = parts.value(1).replace(';', ' ');
  return label + QStringLiteral(" (") + patterns + QStringLiteral(");;All files (*)");
}

QString ProposedName(TExportFormat format) {
  const std::string name = ExpandMacros(Options().Export->FileNameMacros->Value()) + "." +
                           TRecordsExporter::FormatExtension(format);
  return QString::fromStdString(RemoveInvalidFileNameChars(name));
}

QString AskSaveFile(QWidget& parent, const QString& proposedName, const QString& filter,
                    const QString& suffix) {
  QFileDialog dialog(&parent, QStringLiteral("Export"), proposedName, filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(suffix);
  return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
}

}  // namespace

TExportForm::TExportForm(QWidget* parent, TTable& table, TTemporaryFiles& kept)
    : QDialog(parent),
      Table_(table),
      Sources_(new TSourcesView(table.Sources(), this)),
      Columns_(new TColumnsView(TColumnsChecking::ToExport, false, this)),
      Formats_(new QTreeWidget(this)),
      SaveFile_(AskSaveFile),
      Kept_(kept) {
  setObjectName(QString::fromLatin1(kWindowName));
  setWindowTitle(QStringLiteral("Export"));

  Columns_->setObjectName(QStringLiteral("ColumnsView"));
  Columns_->SetDeferChecks(true);
  Columns_->SetColumns(&table.Columns());
  Formats_->setObjectName(QStringLiteral("Formats"));
  Formats_->setHeaderHidden(true);
  Formats_->setRootIsDecorated(false);
  for (int index = 0; index < kExportFormatCount; ++index) {
    new QTreeWidgetItem(
        Formats_,
        {QString::fromStdString(TRecordsExporter::FormatName(static_cast<TExportFormat>(index)))});
  }
  const int stored = DesktopServices().SessionElement(kWindowName).ReadInteger(kFormatKey, 0);
  Formats_->setCurrentItem(Formats_->topLevelItem(std::clamp(stored, 0, kExportFormatCount - 1)));
  connect(Formats_, &QTreeWidget::itemDoubleClicked, this, &TExportForm::ExportChosen);

  auto* row = new QHBoxLayout;
  AddTitledBox(*row, "&Source", *Sources_);
  AddTitledBox(*row, "&Columns", *Columns_);
  AddTitledBox(*row, "&File type", *Formats_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(row, 1);
  connect(AddCommandButtons(*this, *layout, "export", QStringLiteral("&Export..."),
                            QStringLiteral("Export")),
          &QPushButton::clicked, this, &TExportForm::ExportChosen);

  // A table shown nowhere yet has no current list.
  if (Sources_->currentItem() == nullptr) Sources_->setCurrentItem(Sources_->topLevelItem(0));
  Formats_->setFocus();
  resize(560, 300);
  RestorePlacement(*this, kWindowName);
}

void TExportForm::done(int result) {
  StorePlacement(*this, kWindowName);
  QDialog::done(result);
}

void TExportForm::ExportChosen() {
  const int format = Formats_->indexOfTopLevelItem(Formats_->currentItem());
  if (format < 0 || !Columns_->AnyChecked()) return;
  RunShowingErrors([this, format] {
    if (!Export(format)) return;
    DesktopServices().SessionElement(kWindowName).WriteInteger(kFormatKey, format);
    accept();
  });
}

bool TExportForm::Export(int index) {
  const int source = Sources_->SelectedSource();
  if (source < 0 || Table_.Sources().Source(source).Count() == 0) {
    throw EMervantaError("The source is empty");
  }
  const auto format = static_cast<TExportFormat>(index);
  // Before the save dialog, so that a missing suite is told before a name is chosen.
  if (IsOfficeFormat(format)) Office_.Program(format);
  std::string fileName;
  if (TRecordsExporter::FormatNeedsFile(format)) {
    const QString chosen =
        SaveFile_(*this, ProposedName(format), SaveFilter(format),
                  QString::fromStdString(TRecordsExporter::FormatExtension(format)));
    if (chosen.isEmpty()) return false;
    fileName = chosen.toStdString();
    CheckExportTarget(Table_, fileName, format);
  }
  Columns_->ApplyChecks();
  const TRecords& records = Table_.Sources().Source(source);
  if (IsOfficeFormat(format)) {
    Office_.Export(records, Table_.Folder(), format, fileName, Table_.DisplayName(), Kept_);
  } else {
    TRecordsExporter(records, Table_.Folder())
        .Export(format, fileName, {.Title = Table_.DisplayName()});
  }
  return true;
}

void ShowExportDialog(QWidget* parent, TTable& table, TTemporaryFiles& kept) {
  TExportForm form(parent, table, kept);
  form.exec();
}

}  // namespace mervanta
