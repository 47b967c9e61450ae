#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "search/usual_search.h"
#include "support/date_time.h"
#include "views/card_item.h"

class QWidget;

namespace mervanta {

class TCardCategory;
class TFormulaCalculator;
class TRecord;
class TRecords;

// What the card's fields are loaded with.
enum class TCardLoad : std::uint8_t { Reset, Defaults, SearchValues, Record };

// The card's fields, one per shown column in column order: they are built, filled, read back,
// checked against the table's rules and stored into a record here.
class TCardItems {
 public:
  // `records` is "All" for adding and searching, the current list for viewing and editing.
  // `trimValues` trims the stored columns' values as they are read.
  TCardItems(TRecords& records, bool trimValues, TCardMode mode, const TCardCategory& options);
  ~TCardItems();
  TCardItems(const TCardItems&) = delete;
  TCardItems& operator=(const TCardItems&) = delete;

  TRecords& Records() const { return Records_; }
  TCardMode Mode() const { return Mode_; }
  bool TrimValues() const { return TrimValues_; }
  const TCardCategory& Options() const { return Options_; }
  int Count() const { return static_cast<int>(Items_.size()); }
  TCardItem& Item(int index) const { return *Items_[static_cast<std::size_t>(index)]; }

  // Makes the items in `parent` and stacks them; answers their total height.
  int Build(QWidget* parent);
  int CaptionWidth() const { return CaptionWidth_; }
  // Stretches every editor to `width`.
  void FitWidth(int width);

  // `values` for SearchValues, `record` for Record; defaults expand their macros for
  // `moment`, or for now.
  void Load(TCardLoad kind, const TUsualValues* values = nullptr, const TRecord* record = nullptr,
            std::optional<TDateTime> moment = std::nullopt);
  // Each Counter field proposes one more than the largest number of its column in the list.
  void AssignCounters();
  // The virtual fields follow the others' texts (not while loading, in the search mode or
  // with the virtual columns hidden).
  void RecalcVirtuals();

  // Reads every field. A text the code page cannot hold is shown as a message and focused,
  // and the answer is false.
  bool ReadValues(TUsualValues& values);
  // Writes the stored columns' fields of the record; false as ReadValues.
  bool Store(TRecord& record);
  // The table's rules for the fields' values; the first rule broken is shown as a message
  // and its field (or the first editable one) focused, and the answer is false.
  bool Validate(const TRecord* exclude, bool allowEmpty, bool noEquals);

  void FocusFirst();
  // Moves the focus from `item` by `step` items, or to the first or last.
  void FocusNear(const TCardItem& item, int step);
  void FocusEnd(bool last);
  // The lists already filled learn the values of a record just added.
  void NoteAdded(const TRecord& record);

 private:
  class TFieldLinks;

  // Shows the information message and focuses the item, or the first editable one.
  void Refuse(const std::string& message, TCardItem* item);
  int IndexOf(const TCardItem& item) const;

  TRecords& Records_;
  bool TrimValues_;
  TCardMode Mode_;
  const TCardCategory& Options_;
  int CaptionWidth_ = 0;
  bool Loading_ = false;
  bool Recalculating_ = false;
  std::vector<std::unique_ptr<TCardItem>> Items_;
  // One per item; a calculator only for the virtual fields that are recomputed.
  std::vector<std::unique_ptr<TFormulaCalculator>> Calculators_;
};

}  // namespace mervanta
