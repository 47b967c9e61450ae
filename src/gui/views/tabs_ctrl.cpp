#include "views/tabs_ctrl.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>
#include <QStyleOptionSizeGrip>
#include <QWindow>
#include <optional>
#include <string>

#include "support/errors.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

// The strip is as high as a bold caption plus 6 pixels: room for the bottom outline and
// a little air above and below the caption.
constexpr int kStripPadding = 6;

QFont Bold(QFont font) {
  font.setBold(true);
  return font;
}

QPoint ToQPoint(TPixel pixel) {
  return {pixel.X, pixel.Y};
}

}  // namespace

TTabsCtrl::TTabsCtrl(TFlipExactCategory& colors, QWidget* parent)
    : QWidget(parent), Colors_(colors) {
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
  FitHeight();
}

void TTabsCtrl::SetTabs(const QStringList& captions) {
  Tabs_ = captions;
  Hidden_.resize(static_cast<std::size_t>(Tabs_.size()), false);
  TabIndex_ = std::min(TabIndex_, static_cast<int>(Tabs_.size()) - 1);
  update();
}

void TTabsCtrl::SetTabIndex(int index) {
  if (index < -1 || index >= Tabs_.size()) {
    throw EMervantaError("List index out of bounds (" + std::to_string(index) + ")");
  }
  if (index == TabIndex_) return;
  TabIndex_ = index;
  update();
  emit Changed();
}

void TTabsCtrl::SetTabHidden(int index, bool hidden) {
  if (TabHidden(index) == hidden) return;
  Hidden_[static_cast<std::size_t>(index)] = hidden;
  update();
}

bool TTabsCtrl::TabHidden(int index) const {
  if (index < 0 || index >= Tabs_.size()) {
    throw EMervantaError("List index out of bounds (" + std::to_string(index) + ")");
  }
  return Hidden_[static_cast<std::size_t>(index)];
}

void TTabsCtrl::SetSizeGrip(bool on) {
  if (on == SizeGrip_) return;
  SizeGrip_ = on;
  unsetCursor();
  update();
}

void TTabsCtrl::Heard(const TMsg& msg) {
  if (msg.Code == TMsgCode::OptionsChanged) update();
}

void TTabsCtrl::FitHeight() {
  setFixedHeight(QFontMetrics(Bold(font())).height() + kStripPadding);
}

void TTabsCtrl::changeEvent(QEvent* event) {
  if (event->type() == QEvent::FontChange) FitHeight();
  QWidget::changeEvent(event);
}

std::vector<TTabPlace> TTabsCtrl::Places() const {
  const QFontMetrics bold(Bold(font()));
  std::vector<std::optional<int>> widths;
  widths.reserve(static_cast<std::size_t>(Tabs_.size()));
  for (int i = 0; i < Tabs_.size(); ++i) {
    widths.push_back(Hidden_[static_cast<std::size_t>(i)]
                         ? std::nullopt
                         : std::optional<int>(bold.horizontalAdvance(Tabs_[i])));
  }
  return PlaceTabs(widths, height());
}

bool TTabsCtrl::OnGrip(const QPointF& point) const {
  return SizeGrip_ && point.x() >= GripLeft(width(), height()) && !window()->isMaximized();
}

void TTabsCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (OnGrip(event->position())) {
    if (QWindow* handle = window()->windowHandle()) {
      handle->startSystemResize(Qt::RightEdge | Qt::BottomEdge);
    }
    return;
  }
  const QPoint point = event->position().toPoint();
  const int tab = TabAt(Places(), height(), width(), TabIndex_, point.x(), point.y());
  if (tab >= 0) SetTabIndex(tab);
}

void TTabsCtrl::mouseMoveEvent(QMouseEvent* event) {
  if (OnGrip(event->position())) {
    setCursor(Qt::SizeFDiagCursor);
  } else {
    unsetCursor();
  }
}

void TTabsCtrl::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const int strip = height();
  const int grip = GripLeft(width(), strip);
  painter.fillRect(0, 1, width(), strip - 1, palette().button());
  const std::vector<TTabPlace> places = Places();
  for (int i = static_cast<int>(places.size()) - 1; i >= 0; --i) {
    if (i != TabIndex_ && places[static_cast<std::size_t>(i)].Shown) {
      PaintTab(painter, places[static_cast<std::size_t>(i)], Tabs_[i], false);
    }
  }
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(0, 0, grip - 1, 0);
  if (TabIndex_ >= 0 && places[static_cast<std::size_t>(TabIndex_)].Shown) {
    PaintTab(painter, places[static_cast<std::size_t>(TabIndex_)], Tabs_[TabIndex_], true);
  }
  const QRect square(grip, 0, strip, strip);
  painter.fillRect(square, palette().button());
  if (!SizeGrip_) return;
  QStyleOptionSizeGrip option;
  option.initFrom(this);
  option.rect = square;
  option.corner = Qt::BottomRightCorner;
  style()->drawControl(QStyle::CE_SizeGrip, &option, &painter, this);
}

void TTabsCtrl::PaintTab(QPainter& painter, const TTabPlace& tab, const QString& caption,
                         bool active) const {
  const int strip = height();
  const auto shape = TabShape(tab, strip);
  QPolygon outline;
  for (const TPixel pixel : shape) outline << ToQPoint(pixel);
  const QColor fill =
      active ? ToQColor(Colors_.BkColor->Value()) : palette().color(QPalette::Button);
  painter.setPen(fill);
  painter.setBrush(fill);
  painter.drawPolygon(outline);
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(ToQPoint(shape[0]), ToQPoint(shape[1]));
  painter.setPen(Qt::black);
  painter.drawLine(ToQPoint(shape[1]), ToQPoint(shape[2]));
  painter.drawLine(ToQPoint(shape[2]), ToQPoint(shape[3]));
  painter.setFont(active ? Bold(font()) : font());
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.drawText(QRect(tab.Left, 0, tab.Right - tab.Left, strip), Qt::AlignCenter, caption);
}

}  // namespace mervanta
