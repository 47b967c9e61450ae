#include "dialogs/report_page.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>

#include "dialogs/error_box.h"
#include "settings/qt_values.h"
#include "support/atomic_file.h"
#include "support/locale.h"

namespace mervanta {

namespace {

QAction* AddAction(QWidget& owner, const char* caption, QKeySequence keys) {
  auto* action = new QAction(QString::fromLatin1(caption), &owner);
  action->setShortcut(keys);
  action->setShortcutContext(Qt::WidgetShortcut);
  owner.addAction(action);
  return action;
}

}  // namespace

TReportPage::TReportPage(std::function<void(TStringList&)> build, QWidget* parent)
    : QPlainTextEdit(parent),
      Build_(std::move(build)),
      Copy_(AddAction(*this, "Copy", QKeySequence(Qt::CTRL | Qt::Key_C))),
      CopyAll_(AddAction(*this, "Copy All", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C))),
      Save_(AddAction(*this, "Save To File...", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S))) {
  setReadOnly(true);
  setLineWrapMode(NoWrap);
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  connect(Copy_, &QAction::triggered, this, &QPlainTextEdit::copy);
  connect(CopyAll_, &QAction::triggered, this, &TReportPage::CopyAll);
  connect(Save_, &QAction::triggered, this, &TReportPage::SaveToFile);
}

void TReportPage::Fill() {
  TStringList lines;
  if (!RunShowingErrors([this, &lines] { Build_(lines); })) return;
  QStringList texts;
  texts.reserve(static_cast<qsizetype>(lines.size()));
  for (const std::string& line : lines) texts.append(DisplayText(line));
  setPlainText(texts.join(QLatin1Char('\n')));
  moveCursor(QTextCursor::Start);
}

void TReportPage::showEvent(QShowEvent* event) {
  QPlainTextEdit::showEvent(event);
  if (document()->isEmpty()) Fill();
}

void TReportPage::contextMenuEvent(QContextMenuEvent* event) {
  QMenu menu(this);
  menu.addActions({Copy_, CopyAll_});
  menu.addSeparator();
  menu.addAction(Save_);
  Copy_->setEnabled(textCursor().hasSelection());
  menu.exec(event->globalPos());
}

// A read-only text has no use for Esc, which closes the dialog as everywhere else in it.
void TReportPage::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->ignore();
    return;
  }
  QPlainTextEdit::keyPressEvent(event);
}

void TReportPage::CopyAll() {
  selectAll();
  copy();
}

void TReportPage::SaveToFile() {
  QFileDialog dialog(this, QStringLiteral("Save To File"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setNameFilter(QStringLiteral("TXT (*.txt)"));
  dialog.setDefaultSuffix(QStringLiteral("txt"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveAs(dialog.selectedFiles().front().toStdString());
}

void TReportPage::SaveAs(const std::string& fileName) {
  RunShowingErrors([this, &fileName] {
    std::string text = Utf8ToAnsi(toPlainText().toStdString());
    if (!text.empty()) text += '\n';
    ReplaceFileAtomically(fileName, text);
  });
}

}  // namespace mervanta
