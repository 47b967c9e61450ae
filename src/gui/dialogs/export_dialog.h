#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "dialogs/office_suite.h"

class QTreeWidget;

namespace mervanta {

class TColumnsView;
class TSourcesView;
class TTable;
class TTemporaryFiles;

// "Export": a record list, the columns (their boxes written into the columns' ToExport flags
// only when the export runs) and one of the formats, then the target file. The chosen format
// is kept for the next time. Files that an office suite reads after the export go to `kept`.
class TExportForm final : public QDialog {
  Q_OBJECT

 public:
  // The name to save under, empty when cancelled; the filter is in Qt's form.
  using TSaveFilePrompt = std::function<QString(QWidget& parent, const QString& proposedName,
                                                const QString& filter, const QString& suffix)>;

  TExportForm(QWidget* parent, TTable& table, TTemporaryFiles& kept);

  void SetSaveFilePrompt(TSaveFilePrompt prompt) { SaveFile_ = std::move(prompt); }
  TOfficeSuite& Office() { return Office_; }
  void done(int result) override;

 private:
  void ExportChosen();
  // False when the user cancels at the save dialog.
  bool Export(int format);

  TTable& Table_;
  TSourcesView* Sources_;
  TColumnsView* Columns_;
  QTreeWidget* Formats_;
  TSaveFilePrompt SaveFile_;
  TTemporaryFiles& Kept_;
  TOfficeSuite Office_;
};

void ShowExportDialog(QWidget* parent, TTable& table, TTemporaryFiles& kept);

}  // namespace mervanta
