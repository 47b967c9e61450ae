#include "views/grid.h"

#include <QLabel>
#include <QScrollBar>
#include <QSplitter>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>

#include "model/columns.h"
#include "model/notices.h"
#include "model/table_sources.h"
#include "settings/options.h"
#include "settings/qt_values.h"
#include "views/grid_layout.h"
#include "views/head_ctrl.h"
#include "views/horz_scroll.h"
#include "views/tabs_ctrl.h"

namespace mervanta {

namespace {

constexpr int kSplitterHeight = 6;
constexpr int kMinListAreaHeight = 30;
constexpr int kBlindLabelGap = 5;

int VertBarWidth(const QWidget& widget) {
  return widget.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &widget);
}

QVBoxLayout* PlainColumn(QWidget* owner) {
  auto* layout = new QVBoxLayout(owner);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  return layout;
}

}  // namespace

TGrid::TGrid(TOptions& options, TPictureCache& pictures, QWidget* parent)
    : QWidget(parent),
      Options_(options),
      Pictures_(pictures),
      Head_(new THeadCtrl(*options.Head, this)),
      ListArea_(new QWidget(this)),
      ListLayout_(PlainColumn(ListArea_)),
      Tabs_(new TTabsCtrl(*options.Flip->Exact, ListArea_)),
      HorzScroll_(new THorzScroll(Tabs_)),
      BlindLabel_(new QLabel(Tabs_)),
      Subscription_(BindListener<&TGrid::Heard>(this)) {
  setFocusPolicy(Qt::NoFocus);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Button);
  ListArea_->setMinimumHeight(kMinListAreaHeight);
  ListLayout_->addWidget(Tabs_);
  QVBoxLayout* layout = PlainColumn(this);
  layout->addWidget(Head_);
  layout->addWidget(ListArea_, 1);
  BlindLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  BlindLabel_->hide();
  connect(HorzScroll_, &QScrollBar::valueChanged, this, &TGrid::HorzScrolled);
  connect(Tabs_, &TTabsCtrl::Changed, this, [this] { TabChosen(Tabs_); });
  connect(Head_, &THeadCtrl::BestFitRequested, this, [this](TColumn* column) { BestFit(*column); });
}

TGrid::~TGrid() = default;

void TGrid::Build(TSources& sources, TGridSetup setup) {
  Sources_ = &sources;
  if (!setup.Events.GetMarkRange) {
    setup.Events.GetMarkRange = [this](const TColumn& column, int& start, int& end,
                                       const TRecord& record) {
      MarkBlindText(column, start, end, record);
    };
  }
  for (int index = 0; index < sources.SourceCount(); ++index) {
    auto* list = new TFlipList(Options_, Pictures_, ListArea_);
    list->hide();
    list->SetEvents(setup.Events);
    list->SetTableFolder(setup.TableFolder);
    if (static_cast<std::size_t>(index) < setup.PopupMenus.size()) {
      list->SetContextMenu(setup.PopupMenus[static_cast<std::size_t>(index)]);
    }
    list->installEventFilter(this);
    list->viewport()->installEventFilter(this);
    connect(list, &TFlipList::ItemDoubleClicked, this, &TGrid::OpenRequested);
    if (index == 0) {
      connect(list, &TFlipList::TopIndexChanged, this, [this, list] {
        if (TTableSources* table = TableSources()) table->TopIndex->SetValue(list->TopIndex());
      });
    }
    list->SetSource(&sources.Source(index));
    ListLayout_->insertWidget(index, list, 1);
    Lists_.push_back(list);
  }
  Tabs_->SetSizeGrip(setup.SizeGrip);
  UpdateCaptions();
  UpdateHorzRange();
  PlaceTabsChildren();
  ShowCurrent();
  RestoreSession();
}

TTableSources* TGrid::TableSources() const {
  return dynamic_cast<TTableSources*>(Sources_);
}

void TGrid::RestoreSession() {
  TTableSources* table = TableSources();
  if (table == nullptr || Lists_.empty()) return;
  const int top = table->TopIndex->Value();
  const int selected = table->SelIndex->Value();
  const int horz = table->HorzPoz->Value();
  Lists_.front()->SetTopIndex(top);
  table->All.SetItemIndex(selected);
  HorzScroll_->setValue(horz);
}

void TGrid::ShowCurrent() {
  if (Sources_ == nullptr || ShowingCurrent_) return;
  ShowingCurrent_ = true;
  const int current = Sources_->CurrentIndex();
  if (!Split()) {
    Tabs_->SetTabIndex(current);
  } else if (current >= 1) {
    Tabs_->SetTabIndex(current - 1);
  }
  const int bottom = Split() ? Tabs_->TabIndex() + 1 : -1;
  for (int index = 0; index < ListCount(); ++index) {
    const bool shown = (Sources_->SourceEnabled(index) && index == current) ||
                       (Split() && (index == 0 || index == bottom));
    Lists_[static_cast<std::size_t>(index)]->setVisible(shown);
  }
  Head_->SetRecords(Sources_->CurrentSource());
  if (current >= 0 && current < ListCount()) {
    TFlipList& list = List(current);
    if (list.isVisible() && list.isEnabled()) list.setFocus(Qt::OtherFocusReason);
  }
  ShowingCurrent_ = false;
}

void TGrid::UpdateCaptions() {
  if (Sources_ == nullptr) return;
  QStringList captions;
  for (int index = BottomTabOffset(); index < Sources_->SourceCount(); ++index) {
    captions.push_back(DisplayText(Sources_->SourceCaption(index)));
  }
  Tabs_->SetTabs(captions);
  for (int index = BottomTabOffset(); index < Sources_->SourceCount(); ++index) {
    Tabs_->SetTabHidden(index - BottomTabOffset(), !Sources_->SourceEnabled(index));
  }
  if (TopTabs_ != nullptr) TopTabs_->SetTabs({DisplayText(Sources_->SourceCaption(0))});
}

void TGrid::UpdateHorzRange() {
  const int total = Sources_ != nullptr ? Sources_->Columns().TotalWidth() : 0;
  HorzScroll_->setMaximum(HorzScrollMaximum(total, width(), VertBarWidth(*this)));
}

void TGrid::PlaceTabsChildren() {
  const THorzScrollPlace place = HorzScrollPlace(width(), VertBarWidth(*this));
  // Below the strip's top line, as high as the strip allows.
  const int top = 1;
  const int height = std::min(Tabs_->height() - top, HorzScroll_->sizeHint().height());
  HorzScroll_->setGeometry(place.Left, top + (Tabs_->height() - top - height) / 2, place.Width,
                           height);
  if (!BlindText_.empty()) ShowBlindLabel();
}

void TGrid::ShowBlindLabel() {
  BlindLabel_->setText(DisplayText(BlindText_));
  const int width = BlindLabel_->sizeHint().width();
  BlindLabel_->setGeometry(HorzScroll_->x() - kBlindLabelGap - width, 0, width, Tabs_->height());
  BlindLabel_->show();
}

void TGrid::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  UpdateHorzRange();
  PlaceTabsChildren();
  if (Split()) ApplySplitRatio();
}

void TGrid::HorzScrolled(int position) {
  Head_->SetHorzPos(position);
  for (TFlipList* list : Lists_) list->SetHorzPos(position);
  if (TTableSources* table = TableSources()) table->HorzPoz->SetValue(position);
}

void TGrid::TabChosen(TTabsCtrl* strip) {
  if (Sources_ == nullptr || ShowingCurrent_) return;
  int index = 0;
  if (strip == TopTabs_) {
    index = 0;
  } else if (Tabs_->TabIndex() < 0) {
    return;
  } else {
    index = Tabs_->TabIndex() + BottomTabOffset();
  }
  if (index >= Sources_->SourceCount() || !Sources_->SourceEnabled(index)) return;
  if (index == Sources_->CurrentIndex()) {
    ShowCurrent();
  } else {
    Sources_->SetCurrentIndex(index);
  }
}

void TGrid::SetSplit(bool on) {
  if (on == Split() || Sources_ == nullptr || Lists_.empty()) return;
  QVBoxLayout* layout = static_cast<QVBoxLayout*>(this->layout());
  TFlipList* all = Lists_.front();
  if (on) {
    Splitter_ = new QSplitter(Qt::Vertical, this);
    Splitter_->setHandleWidth(kSplitterHeight);
    Splitter_->setChildrenCollapsible(false);
    TopPane_ = new QWidget(Splitter_);
    TopPane_->setMinimumHeight(kMinListAreaHeight);
    QVBoxLayout* top = PlainColumn(TopPane_);
    TopTabs_ = new TTabsCtrl(*Options_.Flip->Exact, TopPane_);
    top->addWidget(all, 1);
    top->addWidget(TopTabs_);
    layout->removeWidget(ListArea_);
    Splitter_->addWidget(TopPane_);
    Splitter_->addWidget(ListArea_);
    layout->addWidget(Splitter_, 1);
    // Made while the grid is shown, and moved: neither shows by itself.
    for (QWidget* widget :
         {static_cast<QWidget*>(Splitter_), TopPane_, ListArea_, static_cast<QWidget*>(TopTabs_)}) {
      widget->show();
    }
    connect(TopTabs_, &TTabsCtrl::Changed, this, [this] { TabChosen(TopTabs_); });
    connect(Splitter_, &QSplitter::splitterMoved, this,
            [this] { SplitRatio_ = static_cast<double>(TopPane_->height()) / height(); });
  } else {
    ListLayout_->insertWidget(0, all, 1);
    layout->removeWidget(Splitter_);
    ListArea_->setParent(this);
    layout->addWidget(ListArea_, 1);
    ListArea_->show();
    delete Splitter_;
    Splitter_ = nullptr;
    TopPane_ = nullptr;
    TopTabs_ = nullptr;
  }
  UpdateCaptions();
  if (TopTabs_ != nullptr) TopTabs_->SetTabIndex(0);
  Tabs_->SetTabIndex(0);
  if (on) ApplySplitRatio();
  if (Sources_->CurrentIndex() == 0) {
    ShowCurrent();
  } else {
    Sources_->SetCurrentIndex(0);
  }
}

void TGrid::SetSplitRatio(double ratio) {
  SplitRatio_ = ratio;
  if (Split()) ApplySplitRatio();
}

void TGrid::ApplySplitRatio() {
  if (SplitRatio_ == 0) SplitRatio_ = 0.5;
  const int top = TopPaneHeight(SplitRatio_, height(), Head_->height(), kSplitterHeight);
  const int rest = std::max(height() - Head_->height() - kSplitterHeight - top, kMinPaneHeight);
  Splitter_->setSizes({top, rest});
}

void TGrid::BestFitAll() {
  if (Sources_ == nullptr || Sources_->CurrentIndex() < 0) return;
  TFlipList& list = List(Sources_->CurrentIndex());
  const TColumns& columns = Sources_->Columns();
  for (int index = 0; index < columns.Count(); ++index) list.BestFitWidth(columns[index]);
}

void TGrid::BestFit(TColumn& column) {
  if (Sources_ == nullptr || Sources_->CurrentIndex() < 0) return;
  List(Sources_->CurrentIndex()).BestFitWidth(column);
}

void TGrid::RepaintLists() {
  for (TFlipList* list : Lists_) list->viewport()->update();
}

void TGrid::Heard(const TMsg& msg) {
  if (Sources_ == nullptr) return;
  if (msg.Sender == Sources_) {
    if (msg.Code == TMsgCode::CurrentSourceChanged) {
      ShowCurrent();
    } else if (msg.Code == TMsgCode::SourcesEnabledChanged) {
      Tabs_->SetTabIndex(Tabs_->Tabs().isEmpty() ? -1 : 0);
      if (TopTabs_ != nullptr) TopTabs_->SetTabIndex(0);
      ShowCurrent();
      UpdateCaptions();
    }
    return;
  }
  if (msg.Sender == &Sources_->Columns()) {
    UpdateHorzRange();
    return;
  }
  if (msg.Code != TMsgCode::CountChanged) return;
  for (int index = 0; index < Sources_->SourceCount(); ++index) {
    if (msg.Sender == &Sources_->Source(index)) {
      UpdateCaptions();
      return;
    }
  }
}

}  // namespace mervanta
