#pragma once

#include <QTreeWidget>

#include "support/msg_sender.h"

namespace mervanta {

class TSources;

// The enabled record lists of a table, one row each with its name and count, the current list
// selected; the rows follow the lists' counts and which lists are enabled.
class TSourcesView final : public QTreeWidget {
  Q_OBJECT

 public:
  explicit TSourcesView(TSources& sources, QWidget* parent = nullptr);

  // The record list of the selected row; -1 when none is selected.
  int SelectedSource() const;

 private:
  void Fill();
  void Heard(const TMsg& msg);

  TSources& Sources_;
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
