#include "app/main_window_prompts.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QLineEdit>

namespace mervanta {

namespace {

const QString kTableFilter = QStringLiteral("CSV (*.csv);;TXT (*.txt);;All files (*)");

}  // namespace

TMainWindow::TPrompts DefaultPrompts(QWidget* parent) {
  TMainWindow::TPrompts prompts;
  prompts.Password = [parent](const QString& prompt) -> std::optional<std::string> {
    bool ok = false;
    const QString password = QInputDialog::getText(parent, QStringLiteral("Password"), prompt,
                                                   QLineEdit::Password, {}, &ok);
    if (!ok) return std::nullopt;
    return password.toStdString();
  };
  prompts.OpenFile = [parent] {
    return QFileDialog::getOpenFileName(parent, QStringLiteral("Open"), {}, kTableFilter);
  };
  prompts.OpenFiles = [parent] {
    return QFileDialog::getOpenFileNames(parent, QStringLiteral("Import"), {},
                                         QStringLiteral("CSV (*.csv);;TXT (*.txt)"));
  };
  prompts.SaveFile = [parent](const QString& current) {
    QFileDialog dialog(parent, QStringLiteral("Save As"), current,
                       QStringLiteral("CSV (*.csv);;All files (*)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("csv"));
    return dialog.exec() == QDialog::Accepted ? dialog.selectedFiles().value(0) : QString();
  };
  prompts.Printer = AskPrinter;
  return prompts;
}

}  // namespace mervanta
