#include "views/card_memo.h"

#include <QTextBlock>
#include <QTextLayout>

namespace mervanta {

namespace {

// The line of the caret within its block as laid out, and how many the block has.
std::pair<int, int> CaretLine(const QTextCursor& cursor) {
  const QTextLayout* layout = cursor.block().layout();
  if (layout == nullptr || layout->lineCount() == 0) return {0, 1};
  const QTextLine line = layout->lineForTextPosition(cursor.positionInBlock());
  return {line.isValid() ? line.lineNumber() : 0, layout->lineCount()};
}

}  // namespace

TCardMemo::TCardMemo(QWidget* parent) : QPlainTextEdit(parent) {
  document()->setDocumentMargin(0);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setTabChangesFocus(true);
  connect(this, &QPlainTextEdit::textChanged, this, &TCardMemo::Limit);
}

bool TCardMemo::CaretOnFirstLine() const {
  const QTextCursor cursor = textCursor();
  return cursor.block() == document()->firstBlock() && CaretLine(cursor).first == 0;
}

bool TCardMemo::CaretOnLastLine() const {
  const QTextCursor cursor = textCursor();
  const auto [line, count] = CaretLine(cursor);
  return cursor.block() == document()->lastBlock() && line == count - 1;
}

bool TCardMemo::CaretAtEnd() const {
  return textCursor().atEnd();
}

void TCardMemo::Limit() {
  // Characters beyond the limit come only from pasting; the document counts a final
  // paragraph mark.
  const int excess = document()->characterCount() - 1 - kMaxLength;
  if (excess <= 0) return;
  QTextCursor cursor(document());
  cursor.movePosition(QTextCursor::End);
  cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, excess);
  cursor.removeSelectedText();
}

}  // namespace mervanta
