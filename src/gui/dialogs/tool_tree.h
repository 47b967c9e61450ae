#pragma once

#include <QTreeWidget>

namespace mervanta {

// A flat list of toolbar entries whose selected entry can be dragged onto another such list.
// A drop only reports which list the entry came from and where it fell: the owner decides
// whether it copies, moves or removes.
class TToolTree final : public QTreeWidget {
  Q_OBJECT

 public:
  // The dragged data names the list the entry comes from.
  static constexpr const char* kMimeType = "application/x-mervanta-tool";

  explicit TToolTree(QWidget* parent = nullptr);

  // What a drop of that data at a point of the viewport does; false when it is no entry.
  bool DropAt(const QMimeData& data, QPoint point);

 signals:
  // Dropped before `target`, or at the end when it is null.
  void Dropped(const QString& sourceName, QTreeWidgetItem* target);

 protected:
  QStringList mimeTypes() const override;
  QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
  Qt::DropActions supportedDropActions() const override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
};

}  // namespace mervanta
