#pragma once

#include <QStringList>
#include <QWidget>
#include <vector>

#include "settings/option_categories.h"
#include "support/msg_sender.h"
#include "views/tabs_layout.h"

namespace mervanta {

// The tab strip below the record lists: slanted tabs, one per list, the active one in the
// lists' background colour so that it joins the list above, and at the right end a square
// that can hold the window's size grip. It never takes the focus.
class TTabsCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit TTabsCtrl(TFlipExactCategory& colors, QWidget* parent = nullptr);

  // Keeps the hidden flags of the tabs that remain, and pulls TabIndex back to the last tab
  // when it lies beyond, without Changed: the caller that changed the tabs knows.
  void SetTabs(const QStringList& captions);
  const QStringList& Tabs() const { return Tabs_; }
  int TabIndex() const { return TabIndex_; }
  // Raises "List index out of bounds (%d)" outside -1 … count − 1; a change emits Changed.
  void SetTabIndex(int index);
  void SetTabHidden(int index, bool hidden);
  bool TabHidden(int index) const;
  void SetSizeGrip(bool on);
  bool SizeGrip() const { return SizeGrip_; }
  // The width of the square kept free for the size grip at the right end.
  int GripWidth() const { return height(); }

 signals:
  // TabIndex changed, by a click or by SetTabIndex.
  void Changed();

 protected:
  void changeEvent(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Heard(const TMsg& msg);
  void FitHeight();
  std::vector<TTabPlace> Places() const;
  bool OnGrip(const QPointF& point) const;
  void PaintTab(QPainter& painter, const TTabPlace& tab, const QString& caption, bool active) const;

  TFlipExactCategory& Colors_;
  QStringList Tabs_;
  int TabIndex_ = -1;
  bool SizeGrip_ = false;
  std::vector<bool> Hidden_;
  TMsgSubscription Subscription_{BindListener<&TTabsCtrl::Heard>(this)};
};

}  // namespace mervanta
