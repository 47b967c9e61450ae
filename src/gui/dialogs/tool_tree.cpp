#include "dialogs/tool_tree.h"

#include <QDropEvent>
#include <QMimeData>

namespace mervanta {

TToolTree::TToolTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setSelectionMode(SingleSelection);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDropIndicatorShown(true);
  setDragDropMode(DragDrop);
}

QStringList TToolTree::mimeTypes() const {
  return {QString::fromLatin1(kMimeType)};
}

QMimeData* TToolTree::mimeData(const QList<QTreeWidgetItem*>& items) const {
  if (items.isEmpty()) return nullptr;
  auto* data = new QMimeData;
  data->setData(QString::fromLatin1(kMimeType), objectName().toUtf8());
  return data;
}

Qt::DropActions TToolTree::supportedDropActions() const {
  return Qt::CopyAction | Qt::MoveAction;
}

void TToolTree::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasFormat(QString::fromLatin1(kMimeType))) {
    event->acceptProposedAction();
  } else {
    event->ignore();
  }
}

void TToolTree::dragMoveEvent(QDragMoveEvent* event) {
  QTreeWidget::dragMoveEvent(event);
  if (event->mimeData()->hasFormat(QString::fromLatin1(kMimeType))) {
    event->setDropAction(Qt::CopyAction);
    event->accept();
  }
}

bool TToolTree::DropAt(const QMimeData& data, QPoint point) {
  if (!data.hasFormat(QString::fromLatin1(kMimeType))) return false;
  emit Dropped(QString::fromUtf8(data.data(QString::fromLatin1(kMimeType))), itemAt(point));
  return true;
}

void TToolTree::dropEvent(QDropEvent* event) {
  if (!DropAt(*event->mimeData(), event->position().toPoint())) {
    event->ignore();
    return;
  }
  // A copy to the drag's source: a move would let the item view delete the dragged entry
  // itself, behind the owner's back.
  event->setDropAction(Qt::CopyAction);
  event->accept();
}

}  // namespace mervanta
