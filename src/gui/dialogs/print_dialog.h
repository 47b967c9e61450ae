#pragma once

#include <QDialog>
#include <functional>

class QPrinter;

namespace mervanta {

class TColumns;
class TColumnsView;
class TRecord;
class TSourcesView;
class TTable;
class TTemporaryFiles;

// "Print": a record list (or one record, shown value by value) and the columns, their boxes
// written into the columns' ToPrint flags when the printing starts. The page is the exporter's
// HTML, written into a temporary file that is kept until the program ends, and rendered on
// the printer chosen in the system's print dialog.
class TPrintForm final : public QDialog {
  Q_OBJECT

 public:
  // Sets up the printer; false when the user cancels.
  using TPrinterPrompt = std::function<bool(QWidget& parent, QPrinter& printer)>;

  // The table's lists.
  TPrintForm(QWidget* parent, TTable& table, TTemporaryFiles& pages);
  // One record of the table, always as a card.
  TPrintForm(QWidget* parent, TTable& table, TRecord& record, TTemporaryFiles& pages);

  void SetPrinterPrompt(TPrinterPrompt prompt) { AskPrinter_ = std::move(prompt); }
  void done(int result) override;

 private:
  void Build();
  void PrintChosen();
  // False when the user cancels at the print dialog.
  bool Print();

  TTable& Table_;
  TRecord* Record_;
  TTemporaryFiles& Pages_;
  TSourcesView* Sources_ = nullptr;
  TColumnsView* Columns_;
  TPrinterPrompt AskPrinter_;
};

// The system's print dialog.
bool AskPrinter(QWidget& parent, QPrinter& printer);

void ShowPrintDialog(QWidget* parent, TTable& table, TTemporaryFiles& pages,
                     const TPrintForm::TPrinterPrompt& prompt = AskPrinter);
void ShowRecordPrintDialog(QWidget* parent, TTable& table, TRecord& record, TTemporaryFiles& pages,
                           const TPrintForm::TPrinterPrompt& prompt = AskPrinter);

}  // namespace mervanta
