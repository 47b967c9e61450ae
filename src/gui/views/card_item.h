#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <string>
#include <string_view>

#include "views/card_value_list.h"

class QCompleter;
class QLabel;
class QLineEdit;
class QStringListModel;
class QToolButton;
class QWidget;

namespace mervanta {

class TCardItems;
class TCardMemo;
class TColumn;

// The card's modes, by the index its caption and help topic go by.
enum class TCardMode : std::uint8_t { New, View, Edit, NormalSearch };

// A column's card editor, by the index of its Editor setting.
enum class TCardEditorKind : std::uint8_t { DropDown, Simple, File, Memo };

// One field of the card: the column's caption panel and its editor.
class TCardItem : public QObject {
  Q_OBJECT

 public:
  // Makes the caption panel and the editor as children of `parent`.
  TCardItem(TCardItems& owner, const TColumn& column, QWidget* parent);
  ~TCardItem() override;

  const TColumn& Column() const { return Column_; }
  QLabel& CaptionPanel() const { return *CaptionPanel_; }
  // The widget that is placed and stretched: the edit with its button, or the memo.
  QWidget& Editor() const { return *Editor_; }
  bool ReadOnly() const { return ReadOnly_; }
  TCardEditorKind Kind() const { return Kind_; }
  int EditorHeight() const;

  // Puts the editor at `top` right of captions `captionWidth` wide; `width` is the box's.
  void Place(int top, int captionWidth, int width);
  void FitWidth(int width);

  QString Text() const;
  // A cell text, converted from the code page; a memo shows its line breaks.
  void SetValue(std::string_view value);
  // The field's text as a cell: in the code page, a memo's lines ending in CR LF, trimmed
  // when the card trims this column. Text the code page cannot hold raises EMervantaError.
  std::string Value() const;

  // Focuses the editor with its text selected.
  void Enter();
  bool HasFocus() const;

  // The drop-down list, filled from "All" on the first request.
  TCardValueList& List();
  bool ListOpen() const;
  void OpenList();
  // A value of a record added meanwhile joins the list when it is filled already.
  void NoteValue(std::string_view value);

 signals:
  void Changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void MakeLine(QWidget* parent, bool hideButtons);
  void ShowList();
  void ChooseFile();
  // Page Up (backward) or Page Down (forward) through the drop-down list.
  void StepList(bool forward);
  bool KeyPressed(int key, Qt::KeyboardModifiers modifiers);
  void CaptionPressed(Qt::MouseButton button, const QPoint& globalPos);
  QWidget& Input() const;

  TCardItems& Owner_;
  const TColumn& Column_;
  TCardEditorKind Kind_;
  bool ReadOnly_;
  QLabel* CaptionPanel_;
  QWidget* Editor_ = nullptr;
  QLineEdit* Line_ = nullptr;
  TCardMemo* Memo_ = nullptr;
  QToolButton* Button_ = nullptr;
  QCompleter* Completer_ = nullptr;
  QStringListModel* ListModel_ = nullptr;
  TCardValueList List_;
};

}  // namespace mervanta
