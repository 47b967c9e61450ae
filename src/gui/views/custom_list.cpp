#include "views/custom_list.h"

#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <algorithm>

#include "model/notices.h"
#include "model/records.h"
#include "settings/option_categories.h"
#include "views/font_measure.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

constexpr int kWheelItems = 4;
constexpr int kAutoScrollMs = 60;
// Heights of rows far from the view are dropped now and then, so the cache stays small.
constexpr std::size_t kHeldHeights = 4096;

bool IsRecordsCode(TMsgCode code) {
  const int value = static_cast<int>(code);
  return value >= static_cast<int>(TMsgCode::CountChanged) &&
         value <= static_cast<int>(TMsgCode::EndUpdate);
}

}  // namespace

TCustomList::TCustomList(TFlipCategory& options, QWidget* parent)
    : QAbstractScrollArea(parent),
      Options_(options),
      Subscription_(BindListener<&TCustomList::Heard>(this)) {
  setFocusPolicy(Qt::StrongFocus);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setFrameShape(QFrame::NoFrame);
  // The painting covers every pixel, and scrolling keeps what is painted.
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  viewport()->setAttribute(Qt::WA_NoSystemBackground);
  viewport()->setMouseTracking(true);
  verticalScrollBar()->setSingleStep(1);
  connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, &TCustomList::ScrollBarAction);
  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int value) {
    if (!SettingBar_) SetTopIndex(value);
  });
  ApplyFont();
}

TCustomList::~TCustomList() = default;

void TCustomList::SetSource(TRecords* source) {
  Source_ = source;
  TopIndex_ = 0;
  ApplyFont();
  ForgetHeights();
  Refresh();
}

int TCustomList::Count() const {
  return Source_ != nullptr ? Source_->Count() : 0;
}

void TCustomList::ApplyFont() {
  setFont(ToQFont(Options_.Font->Value()));
  LineHeight_ = TFontMeasure(font()).LineHeight();
  ForgetHeights();
}

int TCustomList::CachedHeight(int index) const {
  if (const auto found = Heights_.find(index); found != Heights_.end()) return found->second;
  if (Heights_.size() >= kHeldHeights) Heights_.clear();
  const int height = ItemHeight(index);
  Heights_.emplace(index, height);
  return height;
}

TListLayout TCustomList::Layout() const {
  return TListLayout(Count(), viewport()->height(),
                     [this](int index) { return CachedHeight(index); });
}

int TCustomList::ItemAt(int y, bool pastEnd) const {
  return Layout().ItemAt(TopIndex_, y,
                         pastEnd ? TListLayout::TBelowLast::Count : TListLayout::TBelowLast::None);
}

int TCustomList::VisibleRows() const {
  return Layout().VisibleRows(TopIndex_);
}

int TCustomList::ItemTop(int index) const {
  int y = 0;
  const int bottom = viewport()->height();
  for (int item = TopIndex_; item < index && y <= bottom; ++item) y += CachedHeight(item);
  return y;
}

void TCustomList::SetTopIndex(int index) {
  const TListLayout layout = Layout();
  index = std::clamp(index, 0, layout.LargestTop());
  if (index == TopIndex_) {
    UpdateScrollBar();
    return;
  }
  const int height = viewport()->height();
  // The pixels move by the heights passed over, unless no row stays in view.
  int shift = 0;
  const int from = std::min(index, TopIndex_);
  const int to = std::max(index, TopIndex_);
  if (TopIndex_ < Count()) {
    for (int item = from; item < to && shift <= height; ++item) shift += CachedHeight(item);
  } else {
    shift = height + 1;
  }
  const int dy = index > TopIndex_ ? -shift : shift;
  TopIndex_ = index;
  if (shift <= height) {
    viewport()->scroll(0, dy);
  } else {
    viewport()->update();
  }
  UpdateScrollBar();
  emit TopIndexChanged();
}

void TCustomList::MakeItemVisible() {
  // A list not laid out yet shows nothing, so nothing has to move into view.
  if (Source_ == nullptr || viewport()->height() <= 0) return;
  SetTopIndex(Layout().TopShowing(Source_->ItemIndex(), TopIndex_));
}

void TCustomList::Refresh(bool repaint) {
  UpdateScrollBar();
  SetTopIndex(TopIndex_);
  if (repaint) viewport()->update();
}

void TCustomList::UpdateScrollBar() {
  const int visible = VisibleRows();
  QScrollBar* bar = verticalScrollBar();
  SettingBar_ = true;
  // The bar counts items: the thumb is a page of the rows in view plus one.
  bar->setRange(0, std::max(Count() - visible, 0));
  bar->setPageStep(visible + 1);
  bar->setValue(TopIndex_);
  SettingBar_ = false;
}

void TCustomList::ScrollBarAction(int action) {
  QScrollBar* bar = verticalScrollBar();
  switch (action) {
    case QAbstractSlider::SliderPageStepAdd:
      bar->setSliderPosition(TopIndex_ + std::max(VisibleRows(), 1));
      break;
    case QAbstractSlider::SliderPageStepSub:
      bar->setSliderPosition(TopIndex_ - std::max(VisibleRows(), 1));
      break;
    default:
      break;
  }
  // Scrolling with the bar brings the keyboard to the list.
  if (focusPolicy() != Qt::NoFocus && isEnabled()) setFocus(Qt::MouseFocusReason);
}

void TCustomList::scrollContentsBy(int, int) {
  // The top index moves the pixels itself.
}

void TCustomList::InvalidateItem(int index) {
  if (index < TopIndex_ || index >= Count()) return;
  const int top = ItemTop(index);
  if (top >= viewport()->height()) return;
  viewport()->update(0, top, viewport()->width(), CachedHeight(index));
}

void TCustomList::Select(int index) {
  if (Source_ == nullptr || Source_->Count() == 0) return;
  Source_->SetItemIndex(std::clamp(index, 0, Source_->Count() - 1));
}

void TCustomList::SelectAt(int y) {
  Select(ItemAt(y, true));
}

void TCustomList::keyPressEvent(QKeyEvent* event) {
  if (Selecting_ || Source_ == nullptr) {
    event->ignore();
    return;
  }
  const int current = Source_->ItemIndex();
  switch (event->key()) {
    case Qt::Key_Up:
      Select(current - 1);
      break;
    case Qt::Key_Down:
      Select(current + 1);
      break;
    case Qt::Key_PageUp:
      Select(current - VisibleRows());
      break;
    case Qt::Key_PageDown:
      Select(current + VisibleRows());
      break;
    case Qt::Key_Home:
      Select(0);
      break;
    case Qt::Key_End:
      Select(Count() - 1);
      break;
    default:
      event->ignore();
      return;
  }
  event->accept();
}

void TCustomList::mousePressEvent(QMouseEvent* event) {
  const int y = static_cast<int>(event->position().y());
  if (event->button() == Qt::LeftButton) {
    Selecting_ = true;
    SelectAt(y);
    setFocus(Qt::MouseFocusReason);
  } else if (event->button() == Qt::RightButton) {
    SelectAt(y);
  }
}

void TCustomList::mouseMoveEvent(QMouseEvent* event) {
  if (!Selecting_) return;
  MouseY_ = static_cast<int>(event->position().y());
  SelectAt(MouseY_);
  if (!Timer_.isActive()) Timer_.start(kAutoScrollMs, this);
}

void TCustomList::timerEvent(QTimerEvent* event) {
  if (event->timerId() != Timer_.timerId()) {
    QAbstractScrollArea::timerEvent(event);
    return;
  }
  // Held above or below the list, the selection goes on one row per tick.
  SelectAt(MouseY_);
}

void TCustomList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) StopSelecting();
}

void TCustomList::StopSelecting() {
  Selecting_ = false;
  Timer_.stop();
}

void TCustomList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) emit ItemDoubleClicked();
}

void TCustomList::wheelEvent(QWheelEvent* event) {
  WheelRemainder_ += event->angleDelta().y();
  const int notches = WheelRemainder_ / QWheelEvent::DefaultDeltasPerStep;
  WheelRemainder_ -= notches * QWheelEvent::DefaultDeltasPerStep;
  if (notches != 0) SetTopIndex(TopIndex_ - notches * kWheelItems);
  event->accept();
}

void TCustomList::contextMenuEvent(QContextMenuEvent* event) {
  if (ContextMenu_ != nullptr) ContextMenu_->popup(event->globalPos());
}

void TCustomList::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  if (Source_ != nullptr) InvalidateItem(Source_->ItemIndex());
}

void TCustomList::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  StopSelecting();
  if (Source_ != nullptr) InvalidateItem(Source_->ItemIndex());
}

void TCustomList::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  Refresh(false);
}

void TCustomList::ContentsChanged() {
  ForgetHeights();
  Refresh();
}

void TCustomList::Heard(const TMsg& msg) {
  if (msg.Code == TMsgCode::OptionsChanged) {
    ApplyFont();
    Refresh();
    return;
  }
  if (Source_ == nullptr) return;
  if (msg.Sender == &Source_->Columns()) {
    ContentsChanged();
    return;
  }
  if (!IsRecordsCode(msg.Code)) return;
  if (msg.Sender == Source_) {
    switch (msg.Code) {
      case TMsgCode::ItemIndexChanged:
        InvalidateItem(TRecordsNotice::Of(msg).FormerIndex);
        InvalidateItem(Source_->ItemIndex());
        MakeItemVisible();
        return;
      case TMsgCode::BeginUpdate:
      case TMsgCode::EndUpdate:
      case TMsgCode::HasCurrentChanged:
        return;
      default:
        ContentsChanged();
        return;
    }
  }
  // Edits and marks of the shared records show in every list.
  if (msg.Sender == &Source_->Master() && msg.Code != TMsgCode::ItemIndexChanged &&
      msg.Code != TMsgCode::BeginUpdate && msg.Code != TMsgCode::EndUpdate &&
      msg.Code != TMsgCode::HasCurrentChanged) {
    ContentsChanged();
  }
}

}  // namespace mervanta
