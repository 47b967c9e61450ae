#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QMenu>
#include <unordered_map>

#include "support/msg_sender.h"
#include "views/list_layout.h"

namespace mervanta {

class TFlipCategory;
class TRecords;

// A vertically scrolling list of variable-height items bound to a record list: one item per
// record, the list's current record selected. Heights are asked only for the items the view
// walks over, and scrolling moves the pixels already painted.
class TCustomList : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TCustomList(TFlipCategory& options, QWidget* parent);
  ~TCustomList() override;

  // Binds the list to a record list (null for none), measures the line height, refreshes.
  void SetSource(TRecords* source);
  TRecords* Source() const { return Source_; }
  int Count() const;

  int TopIndex() const { return TopIndex_; }
  // Clamped so that the last item can stand no higher than the bottom.
  void SetTopIndex(int index);
  // Moves the view so that the selected item is shown whole.
  void MakeItemVisible();
  // Recomputes the scroll bar and the top; `repaint` paints everything again.
  void Refresh(bool repaint = true);
  void InvalidateItem(int index);

  // The item under viewport y: TopIndex − 1 above, −1 (or the count with `pastEnd`) below.
  int ItemAt(int y, bool pastEnd) const;
  int VisibleRows() const;
  int LineHeight() const { return LineHeight_; }

  // Shown on a right click and on request of the owner.
  void SetContextMenu(QMenu* menu) { ContextMenu_ = menu; }
  QMenu* ContextMenu() const { return ContextMenu_; }

  // The item's height in pixels; asked again after every change of contents.
  virtual int ItemHeight(int index) const = 0;

 signals:
  void TopIndexChanged();
  void ItemDoubleClicked();

 protected:
  TFlipCategory& Options() const { return Options_; }
  // The height of an item whatever was asked before; kept until the contents change.
  int CachedHeight(int index) const;
  // Forgets the heights measured: the contents, the columns or the options changed.
  void ForgetHeights() const { Heights_.clear(); }
  // The font and the line height follow the options.
  virtual void ApplyFont();
  // A notice that concerns what the items show: the owner's records or the columns.
  virtual void ContentsChanged();
  virtual void Heard(const TMsg& msg);
  // Where an item's top lies in the viewport, for items from the top on; past the bottom
  // of the viewport the answer is only known to be below it.
  int ItemTop(int index) const;
  bool IsSelecting() const { return Selecting_; }

  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void timerEvent(QTimerEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;

 private:
  TListLayout Layout() const;
  void SelectAt(int y);
  void Select(int index);
  void StopSelecting();
  void ScrollBarAction(int action);
  void UpdateScrollBar();

  TFlipCategory& Options_;
  TRecords* Source_ = nullptr;
  int TopIndex_ = 0;
  int LineHeight_ = 0;
  bool Selecting_ = false;
  QBasicTimer Timer_;
  // Where the mouse was last seen while selecting, for the auto-scroll ticks.
  int MouseY_ = 0;
  int WheelRemainder_ = 0;
  bool SettingBar_ = false;
  QMenu* ContextMenu_ = nullptr;
  mutable std::unordered_map<int, int> Heights_;
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
