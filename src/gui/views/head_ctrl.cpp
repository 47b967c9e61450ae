#include "views/head_ctrl.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>
#include <QToolTip>
#include <algorithm>

#include "model/columns.h"
#include "model/notices.h"
#include "model/records.h"
#include "views/font_measure.h"
#include "views/hint.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

const QColor kGrey(0x80, 0x80, 0x80);
const QColor kGroupLine(0xC0, 0xC0, 0xC0);
const QColor kHotCaption(0x00, 0x00, 0xFF);
// The caption's inset from the button's sides, and from its top when it does not fit.
constexpr int kCaptionInset = 3;

}  // namespace

THeadCtrl::THeadCtrl(THeadCategory& options, QWidget* parent) : QWidget(parent), Options_(options) {
  setMouseTracking(true);
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  Rebuild(true);
}

void THeadCtrl::SetRecords(TRecords* records) {
  EndMouseAction();
  Records_ = records;
  Rebuild(true);
}

void THeadCtrl::SetHorzPos(int x) {
  if (x == HorzPos_) return;
  const int shift = HorzPos_ - x;
  HorzPos_ = x;
  scroll(shift, 0);
}

void THeadCtrl::Rebuild(bool reloadButtons) {
  setFont(ToQFont(Options_.Font->Value()));
  if (reloadButtons) {
    Buttons_ = Records_ != nullptr ? HeadButtons(Records_->Columns(), Options_.Grouped->Value())
                                   : std::vector<THeadButton>();
    Pressed_ = Hot_ = Hinted_ = -1;
    // A column being resized that was deleted or hidden meanwhile is let go.
    if (std::ranges::none_of(
            Buttons_, [this](const THeadButton& button) { return button.Column == Resizing_; })) {
      Resizing_ = nullptr;
    }
  }
  setFixedHeight(PlaceHeadButtons(Buttons_, TFontMeasure(font()), Options_.WordWrap->Value()));
  update();
}

void THeadCtrl::Heard(const TMsg& msg) {
  if (msg.Code == TMsgCode::OptionsChanged) {
    Rebuild(true);
  } else if (Records_ == nullptr) {
    return;
  } else if (msg.Sender == Records_ && msg.Code == TMsgCode::SortChanged) {
    update();
  } else if (msg.Sender == &Records_->Columns() && TColumnNotice::IsColumnCode(msg.Code)) {
    Rebuild(true);
  }
}

bool THeadCtrl::Themed() const {
  return style()->name().compare(QStringLiteral("windows"), Qt::CaseInsensitive) != 0;
}

bool THeadCtrl::SortAllowed() const {
  return Records_ != nullptr && !Records_->DenySort();
}

int THeadCtrl::ContentX(const QPointF& point) const {
  return HorzPos_ + static_cast<int>(point.x());
}

int THeadCtrl::ResizeZoneAt(const QPointF& point) const {
  return HeadResizeZoneAt(Buttons_, ContentX(point), static_cast<int>(point.y()));
}

int THeadCtrl::ButtonAt(const QPointF& point) const {
  return HeadButtonAt(Buttons_, ContentX(point), static_cast<int>(point.y()));
}

QRect THeadCtrl::ButtonRect(int index) const {
  const THeadButton& button = Buttons_[static_cast<std::size_t>(index)];
  return {button.Left - HorzPos_, button.Top, button.Right - button.Left,
          button.Bottom - button.Top};
}

void THeadCtrl::SetHot(int index) {
  if (index == Hot_) return;
  if (Hot_ >= 0) update(ButtonRect(Hot_));
  if (index >= 0) update(ButtonRect(index));
  Hot_ = index;
}

void THeadCtrl::EndMouseAction() {
  Resizing_ = nullptr;
  Pressed_ = -1;
  unsetCursor();
}

bool THeadCtrl::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) return QWidget::event(event);
  ShowHint(static_cast<QHelpEvent*>(event)->pos());
  return true;
}

void THeadCtrl::ShowHint(const QPoint& point) {
  const int index = ResizeZoneAt(point) >= 0 ? -1 : ButtonAt(point);
  if (!Options_.ShowHints->Value() || index < 0) {
    QToolTip::hideText();
    return;
  }
  if (index == Hinted_) return;
  Hinted_ = index;
  const THeadButton& button = Buttons_[static_cast<std::size_t>(index)];
  const QString hint =
      DisplayText(button.Column != nullptr ? button.Column->HintText() : button.Caption);
  const QRect rect = ButtonRect(index);
  ShowWrappedHint(*this, rect, hint);
}

void THeadCtrl::mouseMoveEvent(QMouseEvent* event) {
  if (Resizing_ != nullptr) {
    if (event->buttons() & Qt::LeftButton) {
      Resizing_->Width->SetValue(ContentX(event->position()) -
                                 Records_->Columns().XOfColumn(*Resizing_));
      return;
    }
    // The release went to another window.
    EndMouseAction();
  }
  if (event->buttons() != Qt::NoButton) return;
  if (ResizeZoneAt(event->position()) >= 0) {
    setCursor(Qt::SplitHCursor);
  } else {
    unsetCursor();
  }
  SetHot(ButtonAt(event->position()));
}

void THeadCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int zone = ResizeZoneAt(event->position());
  if (zone >= 0) {
    Resizing_ = Buttons_[static_cast<std::size_t>(zone)].Column;
  } else if (SortAllowed()) {
    Pressed_ = ButtonAt(event->position());
  }
}

void THeadCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const int pressed = Pressed_;
  EndMouseAction();
  if (pressed < 0 || pressed != ButtonAt(event->position()) || !SortAllowed()) return;
  if (TColumn* column = Buttons_[static_cast<std::size_t>(pressed)].Column) {
    Records_->Sort(*column,
                   event->modifiers() & Qt::ShiftModifier ? TSortKey::Added : TSortKey::Only);
  }
}

void THeadCtrl::mouseDoubleClickEvent(QMouseEvent* event) {
  const int zone = event->button() == Qt::LeftButton ? ResizeZoneAt(event->position()) : -1;
  if (zone < 0) {
    // A quick second click on a caption sorts again.
    mousePressEvent(event);
    return;
  }
  emit BestFitRequested(Buttons_[static_cast<std::size_t>(zone)].Column);
}

void THeadCtrl::leaveEvent(QEvent* /*event*/) {
  SetHot(-1);
  Hinted_ = -1;
}

void THeadCtrl::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  int contentRight = 0;
  for (int i = 0; i < static_cast<int>(Buttons_.size()); ++i) {
    contentRight = std::max(contentRight, Buttons_[static_cast<std::size_t>(i)].Right);
    if (ButtonRect(i).intersects(event->rect())) PaintButton(painter, i);
  }
  const QRect rest(contentRight - HorzPos_, 0, width() - contentRight + HorzPos_, height());
  if (!rest.intersects(event->rect())) return;
  if (Themed()) {
    QStyleOption option;
    option.initFrom(this);
    option.rect = rest;
    style()->drawControl(QStyle::CE_HeaderEmptyArea, &option, &painter, this);
  } else {
    painter.fillRect(rest, palette().button());
    painter.setPen(kGrey);
    painter.drawLine(rest.left(), rest.bottom(), rest.right(), rest.bottom());
  }
}

void THeadCtrl::PaintButton(QPainter& painter, int index) const {
  const THeadButton& button = Buttons_[static_cast<std::size_t>(index)];
  const QRect rect = ButtonRect(index);
  painter.save();
  painter.setClipRect(rect, Qt::IntersectClip);
  PaintFace(painter, index);
  const int left = rect.left();
  const int right = rect.left() + rect.width();
  const int top = button.Top;
  if (button.Column == nullptr) {
    painter.setPen(kGroupLine);
    painter.drawLine(left + 1, button.Bottom - 1, right - 4, button.Bottom - 1);
  } else if (Records_ != nullptr && Records_->SortColumn() == button.Column &&
             Records_->SortDirection() != TSortDirection::None && Options_.ShowSort->Value()) {
    const bool up = Records_->SortDirection() == TSortDirection::Ascending;
    const int base = up ? top + 9 : top + 2;
    const int tip = up ? top + 2 : top + 9;
    const QPoint arrow[] = {{right - 9, base}, {right - 6, tip}, {right - 3, base}};
    painter.setPen(kGrey);
    painter.setBrush(kGrey);
    painter.drawPolygon(arrow, 3);
  }
  PaintCaption(painter, button, index == Hot_ && button.Column != nullptr && SortAllowed());
  painter.restore();
}

void THeadCtrl::PaintFace(QPainter& painter, int index) const {
  const THeadButton& button = Buttons_[static_cast<std::size_t>(index)];
  const QRect rect = ButtonRect(index);
  if (!Themed()) {
    painter.fillRect(rect.adjusted(0, 0, -1, -1), palette().button());
    painter.setPen(kGrey);
    painter.drawLine(rect.topRight(), rect.bottomRight());
    painter.drawLine(rect.bottomLeft(), rect.bottomRight());
    return;
  }
  QStyleOptionHeader option;
  option.initFrom(this);
  option.orientation = Qt::Horizontal;
  option.state &= ~QStyle::State_MouseOver;
  option.state |= QStyle::State_Raised | QStyle::State_Horizontal;
  if (index == Hot_ && button.Column != nullptr && SortAllowed()) {
    option.state |= QStyle::State_MouseOver;
  }
  // A group's face runs down to the strip's bottom, under its children, so that no edge of
  // its own shows between them.
  option.rect = QRect(rect.left(), rect.top(), rect.width(), height() - rect.top());
  style()->drawControl(QStyle::CE_HeaderSection, &option, &painter, this);
}

void THeadCtrl::PaintCaption(QPainter& painter, const THeadButton& button, bool hot) const {
  QRect box(button.Left - HorzPos_ + kCaptionInset, button.Top,
            button.Right - button.Left - 2 * kCaptionInset, button.Bottom - button.Top);
  const QString caption = DisplayText(button.Caption);
  int flags = (Options_.WordWrap->Value() ? Qt::TextWordWrap : 0);
  const QRect needed = fontMetrics().boundingRect(box, flags, caption);
  flags |=
      Options_.Center->Value() && needed.width() <= box.width() ? Qt::AlignHCenter : Qt::AlignLeft;
  if (needed.height() <= box.height()) {
    flags |= Qt::AlignVCenter;
  } else {
    box.setTop(button.Top + kCaptionInset);
    flags |= Qt::AlignTop;
  }
  painter.setPen(hot ? kHotCaption : palette().color(QPalette::WindowText));
  painter.drawText(box, flags, caption);
}

}  // namespace mervanta
