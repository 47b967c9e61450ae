#include "dialogs/sources_view.h"

#include "model/sources.h"
#include "settings/qt_values.h"

namespace mervanta {

TSourcesView::TSourcesView(TSources& sources, QWidget* parent)
    : QTreeWidget(parent),
      Sources_(sources),
      Subscription_(BindListener<&TSourcesView::Heard>(this)) {
  setObjectName(QStringLiteral("SourcesView"));
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::SingleSelection);
  Fill();
}

void TSourcesView::Fill() {
  const int selected = SelectedSource() >= 0 ? SelectedSource() : Sources_.CurrentIndex();
  clear();
  for (int index = 0; index < Sources_.SourceCount(); ++index) {
    if (!Sources_.SourceEnabled(index)) continue;
    auto* row = new QTreeWidgetItem(this, {DisplayText(Sources_.SourceCaption(index))});
    row->setData(0, Qt::UserRole, index);
    if (index == selected) setCurrentItem(row);
  }
}

int TSourcesView::SelectedSource() const {
  const QTreeWidgetItem* row = currentItem();
  return row != nullptr ? row->data(0, Qt::UserRole).toInt() : -1;
}

void TSourcesView::Heard(const TMsg& msg) {
  if (msg.Sender == &Sources_) {
    if (msg.Code == TMsgCode::SourcesEnabledChanged) Fill();
    return;
  }
  if (msg.Code != TMsgCode::CountChanged) return;
  for (int index = 0; index < Sources_.SourceCount(); ++index) {
    if (msg.Sender == &Sources_.Source(index)) {
      Fill();
      return;
    }
  }
}

}  // namespace mervanta
