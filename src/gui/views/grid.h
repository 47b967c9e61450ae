#pragma once

#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "support/msg_sender.h"
#include "views/flip_list.h"

class QLabel;
class QMenu;
class QScrollBar;
class QSplitter;
class QVBoxLayout;

namespace mervanta {

class THeadCtrl;
class TOptions;
class TSources;
class TTableSources;
class TTabsCtrl;

// What the owner gives a grid besides the record lists.
struct TGridSetup {
  TCellEvents Events;
  // The tab strip ends in a size grip for the window.
  bool SizeGrip = false;
  // The context menus of the first lists, in order.
  std::vector<QMenu*> PopupMenus;
  // Where relative picture and file names start.
  std::string TableFolder;
};

// The record view of a table: the column heading, one flip list per record list of which one
// is shown (or, split, "All" above and another below), the tabs that switch between them
// with the horizontal scroll bar, and typing that finds records. A table's view keeps its
// top row, selection and horizontal position in the table's session.
class TGrid : public QWidget {
  Q_OBJECT

 public:
  TGrid(TOptions& options, TPictureCache& pictures, QWidget* parent = nullptr);
  ~TGrid() override;

  // Makes the lists for the record lists and shows the current one where the session left it.
  void Build(TSources& sources, TGridSetup setup);

  bool Split() const { return TopPane_ != nullptr; }
  void SetSplit(bool on);
  // The top pane's share of the grid's height; 0 for half.
  double SplitRatio() const { return SplitRatio_; }
  void SetSplitRatio(double ratio);

  // Every column of the current list fitted to its widest cell.
  void BestFitAll();
  void BestFit(TColumn& column);
  void RepaintLists();

  TFlipList& List(int index) const { return *Lists_[static_cast<std::size_t>(index)]; }
  int ListCount() const { return static_cast<int>(Lists_.size()); }
  THeadCtrl& Head() const { return *Head_; }
  TTabsCtrl& Tabs() const { return *Tabs_; }
  // Only while the grid is split.
  TTabsCtrl* TopTabs() const { return TopTabs_; }
  QScrollBar& HorzScroll() const { return *HorzScroll_; }
  // The typed text that finds records; empty when none.
  const std::string& BlindText() const { return BlindText_; }

 signals:
  // The selected record is to be opened.
  void OpenRequested();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Heard(const TMsg& msg);
  void ShowCurrent();
  void UpdateCaptions();
  void UpdateHorzRange();
  void PlaceTabsChildren();
  void ApplySplitRatio();
  void TabChosen(TTabsCtrl* strip);
  void HorzScrolled(int position);
  void RestoreSession();
  TTableSources* TableSources() const;
  int BottomTabOffset() const { return Split() ? 1 : 0; }

  // Keys of the lists, before the lists' own.
  bool ListKey(TFlipList& list, QKeyEvent& event);
  void TypeBlind(const QString& typed);
  void ClearBlind();
  void ShowBlindLabel();
  void FindFound(bool down);
  void MarkBlindText(const TColumn& column, int& start, int& end, const TRecord& record) const;

  TOptions& Options_;
  TPictureCache& Pictures_;
  TSources* Sources_ = nullptr;
  std::vector<TFlipList*> Lists_;
  THeadCtrl* Head_;
  QWidget* ListArea_;
  QVBoxLayout* ListLayout_;
  TTabsCtrl* Tabs_;
  QScrollBar* HorzScroll_;
  QLabel* BlindLabel_;
  std::string BlindText_;
  QSplitter* Splitter_ = nullptr;
  QWidget* TopPane_ = nullptr;
  TTabsCtrl* TopTabs_ = nullptr;
  double SplitRatio_ = 0;
  bool ShowingCurrent_ = false;
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
