#pragma once

#include <QDialog>
#include <memory>

#include "search/usual_search.h"
#include "views/card_item.h"

class QPushButton;
class QScrollArea;

namespace mervanta {

class TCardItems;
class TRecord;
class TRecords;
class TTableOptions;

// Adds records through the card; answers how many were added. `pattern` pre-fills the card
// (none: the columns' defaults); `insertIndex` is where in "All" new records go, or -1.
int AddRecords(QWidget* parent, const TTableOptions& options, TRecords& all, const TRecord* pattern,
               int insertIndex);
// Edits the record of `list`, or only shows it when `readOnly`; answers whether it changed.
bool EditRecord(QWidget* parent, const TTableOptions& options, TRecords& list, TRecord& record,
                bool readOnly);
// The normal search's card on "All", opened with `values`: true on "Find", with the values
// written back.
bool NormalSearchCard(QWidget* parent, TRecords& all, TUsualValues& values);

// What a card works on; which parts are used depends on the mode.
struct TCardSubject {
  TRecords* Records = nullptr;
  // The table's options; none in the search mode.
  const TTableOptions* Options = nullptr;
  // New records: the record that pre-fills the card, and where new records go.
  const TRecord* Template = nullptr;
  int InsertIndex = -1;
  // Viewing and editing: the record shown.
  TRecord* Record = nullptr;
  // Searching: the values shown and written back.
  TUsualValues* Values = nullptr;
};

// The dialog around the card's fields. The entry points above show it modally; tests may
// show it as any window.
class TCardForm : public QDialog {
  Q_OBJECT

 public:
  TCardForm(QWidget* parent, TCardMode mode, const TCardSubject& subject);
  ~TCardForm() override;

  TCardItems& Items() const { return *Items_; }
  int Added() const { return Added_; }
  bool Edited() const { return Edited_; }

 protected:
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Accept();
  void Reset();
  // The card for the next record: the template or the defaults, then the counters.
  void LoadNew();
  void RestorePlacement();
  void SavePlacement();

  TCardMode Mode_;
  TCardSubject Subject_;
  std::unique_ptr<TCardItems> Items_;
  QScrollArea* Box_;
  QWidget* Fields_;
  QPushButton* Ok_;
  int Added_ = 0;
  bool Edited_ = false;
};

}  // namespace mervanta
