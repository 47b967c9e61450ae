#pragma once

#include <QPlainTextEdit>

namespace mervanta {

// The card's multiline field: no inner margins, a vertical scroll bar, at most 65535
// characters as every card field.
class TCardMemo : public QPlainTextEdit {
 public:
  static constexpr int kMaxLength = 65535;

  explicit TCardMemo(QWidget* parent);

  // Whether the caret is on the first or last line as shown (wrapped lines count).
  bool CaretOnFirstLine() const;
  bool CaretOnLastLine() const;
  bool CaretAtEnd() const;

 private:
  void Limit();
};

}  // namespace mervanta
