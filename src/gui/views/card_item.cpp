#include "views/card_item.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QStringListModel>
#include <QStyle>
#include <QToolButton>

#include "model/column.h"
#include "settings/option_categories.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/trim.h"
#include "views/card_items.h"
#include "views/card_layout.h"
#include "views/card_memo.h"
#include "views/picture_open_dialog.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

QString FromCell(std::string_view value) {
  return QString::fromStdString(AnsiToUtf8(value));
}

TCardEditorKind KindOf(const TColumn& column, TCardMode mode) {
  if (mode == TCardMode::NormalSearch || column.Editor == nullptr) {
    return mode == TCardMode::NormalSearch ? TCardEditorKind::DropDown : TCardEditorKind::Simple;
  }
  return static_cast<TCardEditorKind>(column.Editor->Value());
}

bool IsReadOnly(const TColumn& column, TCardMode mode) {
  switch (mode) {
    case TCardMode::View:
      return true;
    case TCardMode::NormalSearch:
      return false;
    default:
      return column.IsVirtual() || column.IsCounter();
  }
}

}  // namespace

TCardItem::TCardItem(TCardItems& owner, const TColumn& column, QWidget* parent)
    : QObject(parent),
      Owner_(owner),
      Column_(column),
      Kind_(KindOf(column, owner.Mode())),
      ReadOnly_(IsReadOnly(column, owner.Mode())),
      CaptionPanel_(new QLabel(QStringLiteral(" ") + FromCell(column.Caption->Value()), parent)) {
  CaptionPanel_->setObjectName(QStringLiteral("Caption"));
  CaptionPanel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  CaptionPanel_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  CaptionPanel_->setToolTip(FromCell(column.HintText()));
  CaptionPanel_->installEventFilter(this);

  const TCardCategory& options = owner.Options();
  if (Kind_ == TCardEditorKind::Memo) {
    Memo_ = new TCardMemo(parent);
    Memo_->setReadOnly(ReadOnly_);
    Editor_ = Memo_;
    connect(Memo_, &QPlainTextEdit::textChanged, this, &TCardItem::Changed);
  } else {
    MakeLine(parent, options.HideButtons->Value());
  }
  Editor_->setObjectName(QStringLiteral("Editor"));
  Input().setFont(ToQFont(options.Font->Value()));
  Input().installEventFilter(this);
  if (ReadOnly_) {
    // A field that cannot change looks like the form around it.
    QPalette palette = Input().palette();
    palette.setColor(QPalette::Base, parent->palette().color(QPalette::Window));
    Input().setPalette(palette);
  }
}

TCardItem::~TCardItem() = default;

void TCardItem::MakeLine(QWidget* parent, bool hideButtons) {
  Editor_ = new QWidget(parent);
  auto* layout = new QHBoxLayout(Editor_);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  Line_ = new QLineEdit(Editor_);
  Line_->setMaxLength(TCardMemo::kMaxLength);
  Line_->setReadOnly(ReadOnly_);
  layout->addWidget(Line_);
  connect(Line_, &QLineEdit::textChanged, this, &TCardItem::Changed);
  if (ReadOnly_) return;
  if (Kind_ == TCardEditorKind::DropDown) {
    ListModel_ = new QStringListModel(this);
    Completer_ = new QCompleter(ListModel_, this);
    Completer_->setWidget(Line_);
    Completer_->setCaseSensitivity(Qt::CaseInsensitive);
    Completer_->setModelSorting(QCompleter::CaseInsensitivelySortedModel);
    Completer_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    Completer_->setMaxVisibleItems(8);
    Completer_->popup()->setFont(Line_->font());
    // Rows of one height spare measuring hundreds of entries when the list opens.
    if (auto* view = qobject_cast<QListView*>(Completer_->popup())) view->setUniformItemSizes(true);
    connect(Completer_, qOverload<const QString&>(&QCompleter::activated), this,
            [this](const QString& text) {
              Line_->setText(text);
              Line_->selectAll();
            });
    if (Owner_.Options().AutoDropDown->Value()) {
      connect(Line_, &QLineEdit::textEdited, this, &TCardItem::OpenList);
    }
  }
  if (hideButtons || Kind_ == TCardEditorKind::Simple) return;
  Button_ = new QToolButton(Editor_);
  Button_->setObjectName(QStringLiteral("EditorButton"));
  Button_->setFocusPolicy(Qt::NoFocus);
  Button_->setFixedWidth(Editor_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) + 2);
  Button_->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  layout->addWidget(Button_);
  if (Kind_ == TCardEditorKind::DropDown) {
    Button_->setArrowType(Qt::DownArrow);
    connect(Button_, &QToolButton::clicked, this, [this] {
      Line_->setFocus();
      OpenList();
    });
  } else {
    Button_->setText(QStringLiteral("..."));
    connect(Button_, &QToolButton::clicked, this, &TCardItem::ChooseFile);
  }
}

QWidget& TCardItem::Input() const {
  return Memo_ != nullptr ? static_cast<QWidget&>(*Memo_) : *Line_;
}

int TCardItem::EditorHeight() const {
  if (Memo_ == nullptr) return Editor_->sizeHint().height();
  // The system's border is one pixel.
  return CardMemoHeight(1, Owner_.Options().Lines->Value(), QFontMetrics(Memo_->font()).height());
}

void TCardItem::Place(int top, int captionWidth, int width) {
  const int height = EditorHeight();
  CaptionPanel_->setGeometry(0, top, captionWidth, height);
  Editor_->setGeometry(captionWidth + kCardEditorGap, top, 0, height);
  FitWidth(width);
  CaptionPanel_->show();
  Editor_->show();
}

void TCardItem::FitWidth(int width) {
  const QRect bounds = Editor_->geometry();
  Editor_->setGeometry(bounds.left(), bounds.top(), std::max(0, width - bounds.left()),
                       bounds.height());
}

QString TCardItem::Text() const {
  return Memo_ != nullptr ? Memo_->toPlainText() : Line_->text();
}

void TCardItem::SetValue(std::string_view value) {
  QString text = FromCell(value);
  if (Memo_ == nullptr) {
    Line_->setText(text);
    return;
  }
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
  // Text set by the card is not to be undone by the user's Ctrl+Z.
  Memo_->setPlainText(text);
}

std::string TCardItem::Value() const {
  QString text = Text();
  if (Memo_ != nullptr) text.replace(u'\n', QStringLiteral("\r\n"));
  std::string value = Utf8ToAnsi(text.toStdString());
  if (Owner_.TrimValues() && !Column_.IsVirtual()) value = Trimmed(value);
  return value;
}

void TCardItem::Enter() {
  Input().setFocus(Qt::OtherFocusReason);
  if (Memo_ != nullptr) {
    Memo_->selectAll();
  } else {
    Line_->selectAll();
  }
}

bool TCardItem::HasFocus() const {
  return Input().hasFocus();
}

TCardValueList& TCardItem::List() {
  if (!List_.Filled()) {
    List_.Fill(Owner_.Records(), Column_);
    ShowList();
  }
  return List_;
}

void TCardItem::NoteValue(std::string_view value) {
  if (!List_.Filled()) return;
  List_.Note(value);
  ShowList();
}

void TCardItem::ShowList() {
  if (ListModel_ == nullptr) return;
  QStringList entries;
  entries.reserve(static_cast<qsizetype>(List_.Entries().size()));
  for (const std::string& entry : List_.Entries()) entries << FromCell(entry);
  ListModel_->setStringList(entries);
}

bool TCardItem::ListOpen() const {
  return Completer_ != nullptr && Completer_->popup()->isVisible();
}

void TCardItem::OpenList() {
  if (Completer_ == nullptr) return;
  List();
  Completer_->setCompletionPrefix(Line_->text());
  Completer_->complete(QRect(0, 0, Editor_->width(), Line_->height()));
}

void TCardItem::ChooseFile() {
  const bool picture = Column_.ColumnType() == TColumnType::Picture;
  std::unique_ptr<QFileDialog> dialog = picture ? std::make_unique<TPictureOpenDialog>(Editor_)
                                                : std::make_unique<QFileDialog>(Editor_);
  if (!picture) {
    dialog->setObjectName(QStringLiteral("FileOpenDialog"));
    dialog->setOption(QFileDialog::DontUseNativeDialog);
    dialog->setNameFilter(tr("All files (*)"));
  }
  dialog->setFileMode(QFileDialog::ExistingFile);
  dialog->setAcceptMode(QFileDialog::AcceptOpen);
  dialog->setSizeGripEnabled(true);
  dialog->setDirectory(QDir::current());
  const QFileInfo current(Line_->text());
  if (!Line_->text().isEmpty() && current.isFile()) dialog->selectFile(current.absoluteFilePath());
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return;
  const QString chosen = dialog->selectedFiles().front();
  Line_->setText(Owner_.Options().RelativeFilePath->Value()
                     ? QDir::current().relativeFilePath(chosen)
                     : QDir::toNativeSeparators(chosen));
  Enter();
}

void TCardItem::StepList(bool forward) {
  std::string value;
  try {
    value = Utf8ToAnsi(Line_->text().toStdString());
  } catch (const EMervantaError&) {
    // A text the table cannot hold is in no list either.
  }
  const std::string entry = List().Step(value, forward);
  if (List_.Entries().empty()) return;
  Line_->setText(FromCell(entry));
  Line_->selectAll();
}

bool TCardItem::eventFilter(QObject* watched, QEvent* event) {
  if (watched == CaptionPanel_ && event->type() == QEvent::MouseButtonPress) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    CaptionPressed(mouse->button(), mouse->globalPosition().toPoint());
    return true;
  }
  if (watched == &Input() && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    return KeyPressed(key->key(), key->modifiers());
  }
  return false;
}

bool TCardItem::KeyPressed(int key, Qt::KeyboardModifiers modifiers) {
  if (modifiers.testFlag(Qt::AltModifier)) {
    if (key != Qt::Key_Down || ReadOnly_ || Completer_ == nullptr) return false;
    OpenList();
    return true;
  }
  const bool control = modifiers.testFlag(Qt::ControlModifier);
  switch (key) {
    case Qt::Key_Up:
      if (control) {
        Owner_.FocusEnd(false);
      } else if (Memo_ == nullptr || Memo_->CaretOnFirstLine() || Memo_->CaretAtEnd()) {
        Owner_.FocusNear(*this, -1);
      } else {
        return false;
      }
      return true;
    case Qt::Key_Down:
      if (control) {
        Owner_.FocusEnd(true);
      } else if (Memo_ == nullptr || Memo_->CaretOnLastLine()) {
        Owner_.FocusNear(*this, 1);
      } else {
        return false;
      }
      return true;
    case Qt::Key_Home:
    case Qt::Key_End:
      if (Memo_ == nullptr) return false;
      Memo_->moveCursor(key == Qt::Key_Home ? QTextCursor::Start : QTextCursor::End,
                        modifiers.testFlag(Qt::ShiftModifier) ? QTextCursor::KeepAnchor
                                                              : QTextCursor::MoveAnchor);
      return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
      if (Completer_ == nullptr || ListOpen()) return false;
      StepList(key == Qt::Key_PageDown);
      return true;
    default:
      return false;
  }
}

void TCardItem::CaptionPressed(Qt::MouseButton button, const QPoint& globalPos) {
  Enter();
  if (button != Qt::RightButton) return;
  QMenu* menu = Memo_ != nullptr ? Memo_->createStandardContextMenu(Memo_->mapFromGlobal(globalPos))
                                 : Line_->createStandardContextMenu();
  menu->setObjectName(QStringLiteral("FieldMenu"));
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(globalPos);
}

}  // namespace mervanta
