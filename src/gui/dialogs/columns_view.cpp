#include "dialogs/columns_view.h"

#include <QDropEvent>
#include <QHeaderView>
#include <QScrollBar>

#include "model/notices.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

TColumnFlag FlagKind(TColumnsChecking checking) {
  switch (checking) {
    case TColumnsChecking::ToExport:
      return TColumnFlag::ToExport;
    case TColumnsChecking::ToPrint:
      return TColumnFlag::ToPrint;
    default:
      return TColumnFlag::Visible;
  }
}

TMsgCode FlagCode(TColumnsChecking checking) {
  switch (checking) {
    case TColumnsChecking::ToExport:
      return TMsgCode::ColumnsExportChanged;
    case TColumnsChecking::ToPrint:
      return TMsgCode::ColumnsPrintChanged;
    default:
      return TMsgCode::ColumnsShownChanged;
  }
}

}  // namespace

TColumnsView::TColumnsView(TColumnsChecking checking, bool hideVirtualColumns, QWidget* parent)
    : QTreeWidget(parent),
      Checking_(checking),
      HideVirtual_(hideVirtualColumns),
      Subscription_(BindListener<&TColumnsView::Heard>(this)) {
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setSelectionBehavior(SelectRows);
  setSelectionMode(SingleSelection);
  setDropIndicatorShown(true);
  connect(this, &QTreeWidget::itemChanged, this, &TColumnsView::ItemChanged);
  connect(this, &QTreeWidget::currentItemChanged, this, &TColumnsView::Changed);
}

void TColumnsView::SetColumns(TColumns* columns) {
  Columns_ = columns;
  Rebuild();
}

void TColumnsView::SetMoving(bool on) {
  setDragDropMode(on ? InternalMove : NoDragDrop);
}

TColumn* TColumnsView::SelectedColumn() const {
  const QTreeWidgetItem* node = currentItem();
  return node != nullptr && node->isSelected() ? &ColumnOf(*node) : nullptr;
}

void TColumnsView::SelectColumn(const TColumn& column) {
  for (int index = 0; index < topLevelItemCount(); ++index) {
    if (&ColumnOf(*topLevelItem(index)) == &column) {
      setCurrentItem(topLevelItem(index));
      return;
    }
  }
}

TColumn& TColumnsView::ColumnOf(const QTreeWidgetItem& node) {
  return *static_cast<TColumn*>(node.data(0, Qt::UserRole).value<void*>());
}

TBooleanProperty* TColumnsView::Flag(const TColumn& column) const {
  switch (Checking_) {
    case TColumnsChecking::Visible:
      return column.Visible;
    case TColumnsChecking::ToExport:
      return column.ToExport;
    case TColumnsChecking::ToPrint:
      return column.ToPrint;
    case TColumnsChecking::None:
    case TColumnsChecking::Free:
      break;
  }
  return nullptr;
}

bool TColumnsView::BoundToFlags() const {
  return Checking_ != TColumnsChecking::None && Checking_ != TColumnsChecking::Free;
}

// Keeps the selected position and the top node, so that the user stays where he was.
void TColumnsView::Rebuild() {
  const int selected = currentItem() != nullptr ? indexOfTopLevelItem(currentItem()) : -1;
  const int top = verticalScrollBar()->value();
  Filling_ = true;
  clear();
  if (Columns_ != nullptr) {
    for (const auto& column : *Columns_) {
      if (HideVirtual_ && column->IsVirtual()) continue;
      auto* node = new QTreeWidgetItem(this);
      node->setData(0, Qt::UserRole, QVariant::fromValue(static_cast<void*>(column.get())));
      Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled;
      if (Checking_ != TColumnsChecking::None) flags |= Qt::ItemIsUserCheckable;
      node->setFlags(flags);
      if (Checking_ == TColumnsChecking::Free) node->setCheckState(0, Qt::Checked);
      UpdateNode(*node);
    }
  }
  Filling_ = false;
  if (selected >= 0 && topLevelItemCount() > 0) {
    setCurrentItem(topLevelItem(std::min(selected, topLevelItemCount() - 1)));
  }
  verticalScrollBar()->setValue(top);
  emit Changed();
}

void TColumnsView::UpdateNode(QTreeWidgetItem& node) const {
  const TColumn& column = ColumnOf(node);
  node.setText(0, DisplayText(column.Caption->Value()));
  node.setToolTip(
      0, DisplayText(column.HintText()).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
  if (const TBooleanProperty* flag = Flag(column)) {
    node.setCheckState(0, flag->Value() ? Qt::Checked : Qt::Unchecked);
  }
}

void TColumnsView::RefreshChecks() {
  Filling_ = true;
  for (int index = 0; index < topLevelItemCount(); ++index) UpdateNode(*topLevelItem(index));
  Filling_ = false;
}

void TColumnsView::ItemChanged() {
  if (!Filling_ && !DeferChecks_) ApplyChecks();
}

bool TColumnsView::AnyChecked() const {
  return !CheckedColumns().empty();
}

std::vector<TColumn*> TColumnsView::CheckedColumns() const {
  std::vector<TColumn*> checked;
  for (int index = 0; index < topLevelItemCount(); ++index) {
    const QTreeWidgetItem& node = *topLevelItem(index);
    if (node.checkState(0) == Qt::Checked) checked.push_back(&ColumnOf(node));
  }
  return checked;
}

void TColumnsView::ApplyChecks() {
  if (Columns_ == nullptr || !BoundToFlags()) return;
  std::vector<std::pair<const TColumn*, bool>> checked;
  for (int index = 0; index < topLevelItemCount(); ++index) {
    const QTreeWidgetItem& each = *topLevelItem(index);
    checked.emplace_back(&ColumnOf(each), each.checkState(0) == Qt::Checked);
  }
  // Columns without a node keep their flag.
  Columns_->SetFlags(FlagKind(Checking_), [this, &checked](const TColumn& column) {
    for (const auto& [shown, on] : checked) {
      if (shown == &column) return on;
    }
    return Flag(column)->Value();
  });
}

void TColumnsView::Heard(const TMsg& msg) {
  if (Columns_ == nullptr || msg.Sender != Columns_) return;
  switch (msg.Code) {
    case TMsgCode::ColumnAdded:
    case TMsgCode::ColumnDeleted:
    case TMsgCode::ColumnMoved:
    case TMsgCode::ColumnsReloaded:
      Rebuild();
      break;
    case TMsgCode::ColumnChanged: {
      const TColumn* column = TColumnNotice::Of(msg).Column;
      Filling_ = true;
      for (int index = 0; index < topLevelItemCount(); ++index) {
        if (&ColumnOf(*topLevelItem(index)) == column) UpdateNode(*topLevelItem(index));
      }
      Filling_ = false;
      emit Changed();
      break;
    }
    default:
      if (BoundToFlags() && msg.Code == FlagCode(Checking_)) RefreshChecks();
      break;
  }
}

void TColumnsView::MoveSelectedOnto(const QTreeWidgetItem* target) {
  TColumn* column = SelectedColumn();
  if (column == nullptr) return;
  Columns_->Move(*column, target != nullptr ? ColumnOf(*target).Index() : Columns_->Count() - 1);
  SelectColumn(*column);
}

// Qt would move the node itself; the column moves instead and the tree follows its notice.
void TColumnsView::dropEvent(QDropEvent* event) {
  event->setDropAction(Qt::IgnoreAction);
  event->accept();
  if (event->source() == this) MoveSelectedOnto(itemAt(event->position().toPoint()));
}

}  // namespace mervanta
