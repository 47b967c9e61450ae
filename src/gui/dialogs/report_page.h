#pragma once

#include <QPlainTextEdit>
#include <functional>
#include <string>

#include "support/string_list.h"

namespace mervanta {

// A read-only text of the table properties dialog, built by `build` the first time it is
// shown while empty. Its menu copies the selection or the whole text and saves the text to a
// file; Esc closes the dialog.
class TReportPage final : public QPlainTextEdit {
  Q_OBJECT

 public:
  TReportPage(std::function<void(TStringList&)> build, QWidget* parent = nullptr);

  void CopyAll();
  // Asks for a file and saves the text there.
  void SaveToFile();
  // The text in the code page, replacing the file whole; a failure is shown in the error box.
  void SaveAs(const std::string& fileName);

 protected:
  void showEvent(QShowEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Fill();

  std::function<void(TStringList&)> Build_;
  QAction* Copy_;
  QAction* CopyAll_;
  QAction* Save_;
};

}  // namespace mervanta
