// The grid's keyboard: switching lists, scrolling sideways, stepping between found records and
// typing to find a record.
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollBar>

#include "model/records.h"
#include "model/sources.h"
#include "search/blind_search.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/locale.h"
#include "support/user_interface.h"
#include "views/grid.h"

namespace mervanta {

namespace {

constexpr int kHorzKeyStep = 14;
constexpr std::size_t kBlindTextLimit = 12;
// Where Ctrl+Space opens a list's menu, from the list's top-left corner.
constexpr QPoint kMenuOffset(30, 30);

}  // namespace

bool TGrid::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QWidget::eventFilter(watched, event);
  for (TFlipList* list : Lists_) {
    if (watched == list || watched == list->viewport()) {
      return ListKey(*list, static_cast<QKeyEvent&>(*event));
    }
  }
  return QWidget::eventFilter(watched, event);
}

bool TGrid::ListKey(TFlipList& list, QKeyEvent& event) {
  const Qt::KeyboardModifiers modifiers = event.modifiers() & ~Qt::KeypadModifier;
  const int key = event.key();
  if (modifiers == Qt::ControlModifier && key >= Qt::Key_1 && key <= Qt::Key_9) {
    const int index = key - Qt::Key_1;
    if (index < Sources_->SourceCount() && Sources_->SourceEnabled(index)) {
      Sources_->SetCurrentIndex(index);
    }
    return true;
  }
  if (modifiers == Qt::ControlModifier && key == Qt::Key_Space) {
    if (list.ContextMenu() != nullptr) list.ContextMenu()->popup(list.mapToGlobal(kMenuOffset));
    return true;
  }
  if (modifiers == Qt::ControlModifier && (key == Qt::Key_Up || key == Qt::Key_Down)) {
    FindFound(key == Qt::Key_Down);
    return true;
  }
  if (modifiers != Qt::NoModifier && modifiers != Qt::ShiftModifier) return false;
  switch (key) {
    case Qt::Key_Left:
      HorzScroll_->setValue(HorzScroll_->value() - kHorzKeyStep);
      return true;
    case Qt::Key_Right:
      HorzScroll_->setValue(HorzScroll_->value() + kHorzKeyStep);
      return true;
    case Qt::Key_Tab:
      if (const int next = Sources_->NextEnabledSource(); next >= 0)
        Sources_->SetCurrentIndex(next);
      return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit OpenRequested();
      return true;
    case Qt::Key_Escape:
    case Qt::Key_Backspace:
      ClearBlind();
      return true;
    default:
      break;
  }
  const QString typed = event.text();
  if (typed.isEmpty() || typed.front().unicode() < 32 || typed.front() == QChar(0x7F)) {
    return false;
  }
  if (Options_.Search->UseBlind->Value()) TypeBlind(typed);
  return true;
}

void TGrid::TypeBlind(const QString& typed) {
  std::string bytes;
  try {
    bytes = Utf8ToAnsi(typed.toStdString());
  } catch (const EMervantaError&) {
    // A character the table's code page cannot hold is in no cell.
    UserInterface().Beep();
    return;
  }
  if (BlindText_.size() + bytes.size() > kBlindTextLimit) {
    UserInterface().Beep();
    return;
  }
  BlindText_ += bytes;
  ShowBlindLabel();
  TRecords* current = Sources_->CurrentSource();
  if (current == nullptr ||
      !TBlindSearch::Find(BlindText_, *current, /*wrap=*/true, /*forward=*/true, 0)) {
    UserInterface().Beep();
  }
  RepaintLists();
}

void TGrid::ClearBlind() {
  BlindText_.clear();
  BlindLabel_->hide();
  RepaintLists();
}

void TGrid::FindFound(bool down) {
  TRecords* current = Sources_->CurrentSource();
  if (current == nullptr) return;
  if (!BlindText_.empty()) {
    if (!TBlindSearch::Find(BlindText_, *current, /*wrap=*/false, down, 1)) UserInterface().Beep();
    return;
  }
  const int step = down ? 1 : -1;
  for (int index = current->ItemIndex() + step; index >= 0 && index < current->Count();
       index += step) {
    if (current->Item(index).Found()) {
      current->SetItemIndex(index);
      return;
    }
  }
  UserInterface().Beep();
}

void TGrid::MarkBlindText(const TColumn& column, int& start, int& end,
                          const TRecord& record) const {
  TMatchSpan span;
  if (BlindText_.empty() || !TBlindSearch::LocateMatch(BlindText_, column, record, span)) return;
  start = span.First;
  end = span.Last;
}

}  // namespace mervanta
