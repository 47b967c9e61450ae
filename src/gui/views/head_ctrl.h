#pragma once

#include <QWidget>
#include <vector>

#include "model/column.h"
#include "settings/option_categories.h"
#include "support/msg_sender.h"
#include "views/head_layout.h"

namespace mervanta {

class TRecords;

// The column heading above a record list: one button per visible column, grouped under
// shared group buttons, with word-wrapped captions and the sort arrow. A click sorts, a
// Shift-click adds a sort key, dragging a button's right edge resizes its column and a double
// click there asks for the column's best fit.
//
// The classic "Windows" style draws the plain faces of old: a grey line right and below over
// the button colour. Every other style draws themed header sections, hot under the mouse.
class THeadCtrl : public QWidget {
  Q_OBJECT

 public:
  explicit THeadCtrl(THeadCategory& options, QWidget* parent = nullptr);

  // Null shows an empty strip.
  void SetRecords(TRecords* records);
  TRecords* Records() const { return Records_; }
  // Follows the lists' horizontal scrolling by moving what is painted.
  void SetHorzPos(int x);
  int HorzPos() const { return HorzPos_; }
  // Takes the font from the options, remakes the buttons when asked, places them, sets the
  // strip's height and repaints.
  void Rebuild(bool reloadButtons);

  // As placed, in strip coordinates before scrolling.
  std::span<const THeadButton> Buttons() const { return Buttons_; }

 signals:
  // A double click on a column's resize zone.
  void BestFitRequested(TColumn* column);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;

 private:
  void Heard(const TMsg& msg);
  bool Themed() const;
  bool SortAllowed() const;
  // Strip coordinates of a point of the widget.
  int ContentX(const QPointF& point) const;
  int ResizeZoneAt(const QPointF& point) const;
  int ButtonAt(const QPointF& point) const;
  QRect ButtonRect(int index) const;
  void SetHot(int index);
  void EndMouseAction();
  void ShowHint(const QPoint& point);
  void PaintButton(QPainter& painter, int index) const;
  void PaintFace(QPainter& painter, int index) const;
  void PaintCaption(QPainter& painter, const THeadButton& button, bool hot) const;

  THeadCategory& Options_;
  TRecords* Records_ = nullptr;
  std::vector<THeadButton> Buttons_;
  int HorzPos_ = 0;
  TColumn* Resizing_ = nullptr;
  int Pressed_ = -1;
  int Hot_ = -1;
  int Hinted_ = -1;
  TMsgSubscription Subscription_{BindListener<&THeadCtrl::Heard>(this)};
};

}  // namespace mervanta
