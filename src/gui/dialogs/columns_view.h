#pragma once

#include <QTreeWidget>
#include <vector>

#include "model/columns.h"
#include "support/msg_sender.h"

namespace mervanta {

// Which column flag the check boxes show and set; Free boxes start checked and belong to the
// view alone.
enum class TColumnsChecking { None, Visible, ToExport, ToPrint, Free };

// One node per column of a list, in column order, captioned by the column and hinted by its
// summary; it follows the list's notices. With checking on, a click on a box sets the flag
// of every column whose box differs and announces the change once; a dialog that writes the
// flags only when it runs defers that to ApplyChecks. With moving on, the selected node can be
// dragged onto another node to take its place, or below the last node to go to the end.
class TColumnsView final : public QTreeWidget {
  Q_OBJECT

 public:
  TColumnsView(TColumnsChecking checking, bool hideVirtualColumns, QWidget* parent = nullptr);

  // Null empties the tree.
  void SetColumns(TColumns* columns);
  void SetMoving(bool on);
  void SetDeferChecks(bool on) { DeferChecks_ = on; }
  // Sets the flags from the boxes, announcing the change once when any flag changes.
  void ApplyChecks();
  bool AnyChecked() const;
  // In tree order.
  std::vector<TColumn*> CheckedColumns() const;

  TColumn* SelectedColumn() const;
  void SelectColumn(const TColumn& column);
  // Moves the selected column to the node's place, or to the end for none, as a drop does.
  void MoveSelectedOnto(const QTreeWidgetItem* target);

 signals:
  // The selected column, or the columns, changed.
  void Changed();

 protected:
  void dropEvent(QDropEvent* event) override;

 private:
  void Heard(const TMsg& msg);
  void Rebuild();
  void UpdateNode(QTreeWidgetItem& node) const;
  void RefreshChecks();
  void ItemChanged();
  static TColumn& ColumnOf(const QTreeWidgetItem& node);
  TBooleanProperty* Flag(const TColumn& column) const;
  bool BoundToFlags() const;

  TColumnsChecking Checking_;
  bool HideVirtual_;
  TColumns* Columns_ = nullptr;
  // Set while the nodes' check states are written from the columns, not by the user.
  bool Filling_ = false;
  bool DeferChecks_ = false;
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
