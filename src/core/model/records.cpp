#include "model/records.h"

#include <algorithm>
#include <bitset>
#include <cstdio>

#include "model/columns.h"
#include "model/notices.h"
#include "model/record_map.h"
#include "model/record_sorter.h"
#include "support/errors.h"
#include "support/progress.h"

namespace mervanta {

namespace {

[[noreturn]] void RaiseListError(const char* format, int value) {
  char message[64];
  std::snprintf(message, sizeof message, format, value);
  throw EMervantaError(message);
}

// The capacity of a full array after it grows, as a general-purpose pointer list grows.
int GrownCapacity(int capacity) {
  const int delta = capacity > 64 ? capacity / 4 : capacity > 8 ? 16 : 4;
  return capacity + delta;
}

bool IsChosen(const TRecord* record) {
  return record->Chosen();
}
bool IsNotChosen(const TRecord* record) {
  return !record->Chosen();
}

}  // namespace

TRecords::TRecords(TColumns& columns, TRecords* master)
    : Columns_(columns),
      Master_(master != nullptr ? master : this),
      Subscription_(BindListener<&TRecords::Heard>(this)) {}

TRecords::~TRecords() = default;

void TRecords::SetCapacity(int capacity) {
  if (capacity < Count_ || capacity > kMaxListSize) {
    RaiseListError("List capacity out of bounds (%d)", capacity);
  }
  if (capacity == Capacity_) return;
  std::unique_ptr<TRecord*[]> items;
  if (capacity > 0)
    items = std::make_unique_for_overwrite<TRecord*[]>(static_cast<std::size_t>(capacity));
  std::copy_n(Items_.get(), Count_, items.get());
  Items_ = std::move(items);
  Capacity_ = capacity;
}

TRecord& TRecords::Item(int index) const {
  CheckIndex(index, Count_ - 1);
  return *Items_[static_cast<std::size_t>(index)];
}

int TRecords::IndexOf(const TRecord& record) const {
  const auto items = Items();
  const auto found = std::find(items.begin(), items.end(), &record);
  return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

TRecord& TRecords::NewRecord(int fieldCount) {
  return Master_->Pool_.New(TFieldArray(fieldCount));
}

void TRecords::FreeRecord(TRecord& record) {
  Master_->Pool_.Free(record);
}

int TRecords::Add(TRecord& record) {
  TRecordsUpdate update(*this);
  Append(record);
  return Count_ - 1;
}

void TRecords::Insert(int index, TRecord& record) {
  CheckIndex(index, Count_);
  TRecordsUpdate update(*this);
  *MakeRoom(index, 1) = &record;
}

void TRecords::InsertList(int index, const TRecords& list) {
  CheckIndex(index, Count_);
  WithEntries(list, [&](std::span<TRecord* const> entries) {
    TRecordsUpdate update(*this);
    std::reverse_copy(entries.begin(), entries.end(),
                      MakeRoom(index, static_cast<int>(entries.size())));
  });
}

void TRecords::AddList(const TRecords& list) {
  WithEntries(list, [&](std::span<TRecord* const> entries) {
    TRecordsUpdate update(*this);
    std::copy(entries.begin(), entries.end(), MakeRoom(Count_, static_cast<int>(entries.size())));
  });
}

void TRecords::AddUnique(const TRecords& list) {
  if (Count_ == 0) {
    AddList(list);
    return;
  }
  TRecordMap<bool> present(static_cast<std::size_t>(Count_ + list.Count_));
  for (const TRecord* record : Items()) present[record] = true;
  std::vector<TRecord*> added;
  for (TRecord* record : list.Items()) {
    bool& isPresent = present[record];
    if (!isPresent) added.push_back(record);
    isPresent = true;
  }
  TRecordsUpdate update(*this);
  std::copy(added.begin(), added.end(), MakeRoom(Count_, static_cast<int>(added.size())));
}

void TRecords::Flip(TRecord& record) {
  TRecordsUpdate update(*this);
  const int index = IndexOf(record);
  if (index >= 0) {
    EraseAt(index);
  } else {
    Append(record);
  }
}

void TRecords::FlipList(const TRecords& list) {
  if (Count_ == 0) {
    AddList(list);
    return;
  }
  // The outcome of flipping one record after the other, worked out in one pass: a record
  // present here loses its first remaining occurrence, one appended earlier by this flip
  // leaves again, any other is appended.
  struct TFlip {
    int Present = 0;
    int Removed = 0;
    int Appended = -1;  // position in `appended`
  };
  TRecordMap<TFlip> flips(static_cast<std::size_t>(Count_ + list.Count_));
  for (const TRecord* record : Items()) ++flips[record].Present;
  std::vector<TRecord*> appended;
  for (TRecord* record : list.Items()) {
    TFlip& flip = flips[record];
    if (flip.Removed < flip.Present) {
      ++flip.Removed;
    } else if (flip.Appended >= 0) {
      appended[static_cast<std::size_t>(flip.Appended)] = nullptr;
      flip.Appended = -1;
    } else {
      flip.Appended = static_cast<int>(appended.size());
      appended.push_back(record);
    }
  }
  std::erase(appended, nullptr);
  TRecordsUpdate update(*this);
  Filter([&](const TRecord* record) {
    TFlip& flip = *flips.Find(record);
    if (flip.Removed == 0) return true;
    --flip.Removed;
    return false;
  });
  std::copy(appended.begin(), appended.end(), MakeRoom(Count_, static_cast<int>(appended.size())));
}

void TRecords::Delete(int index) {
  CheckIndex(index, Count_ - 1);
  TRecordsUpdate update(*this);
  EraseAt(index);
}

int TRecords::Remove(const TRecord& record) {
  TRecordsUpdate update(*this);
  const int index = IndexOf(record);
  if (index >= 0) EraseAt(index);
  return index;
}

void TRecords::RemoveList(const TRecords& list) {
  TRecordMap<int> removals(static_cast<std::size_t>(list.Count_));
  for (const TRecord* record : list.Items()) ++removals[record];
  TRecordsUpdate update(*this);
  Filter([&](const TRecord* record) {
    int* left = removals.Find(record);
    if (left == nullptr || *left == 0) return true;
    --*left;
    return false;
  });
}

void TRecords::Move(int from, int to) {
  CheckIndex(from, Count_ - 1);
  CheckIndex(to, Count_ - 1);
  TRecordsUpdate update(*this);
  if (from == to) return;
  TRecord** items = Items_.get();
  if (from < to) {
    std::rotate(items + from, items + from + 1, items + to + 1);
  } else {
    std::rotate(items + to, items + from, items + from + 1);
  }
  OrderChanged_ = true;
}

void TRecords::Assign(const TRecords& list) {
  if (&list == this) return;
  TRecordsUpdate update(*this);
  Clear();
  AddList(list);
}

void TRecords::Clear() {
  TRecordsUpdate update(*this);
  if (Count_ > 0) CountChanged_ = true;
  Items_.reset();
  Count_ = 0;
  Capacity_ = 0;
}

void TRecords::FreeAll() {
  TRecordsUpdate update(*this);
  FreeFrom(0);
  Clear();
}

void TRecords::Reverse() {
  TRecordsUpdate update(*this);
  std::reverse(Items_.get(), Items_.get() + Count_);
  if (Count_ >= 2) OrderChanged_ = true;
}

void TRecords::SetItemIndex(int index) {
  const int clamped = Count_ == 0 ? -1 : std::clamp(index, 0, Count_ - 1);
  if (clamped == ItemIndex_) return;
  const int former = ItemIndex_;
  ItemIndex_ = clamped;
  Send(TMsgCode::ItemIndexChanged, former);
  if ((former < 0) != (clamped < 0)) Send(TMsgCode::HasCurrentChanged, former);
}

void TRecords::BeginUpdate() {
  if (UpdateCount_++ > 0) return;
  TProgress::BeginBusy();
  CountChanged_ = false;
  OrderChanged_ = false;
  try {
    Send(TMsgCode::BeginUpdate);
  } catch (...) {
    --UpdateCount_;
    TProgress::EndBusy();
    throw;
  }
}

void TRecords::EndUpdate() {
  if (UpdateCount_ == 0 || --UpdateCount_ > 0) return;
  // The wait cursor goes back whatever a listener does.
  struct TBusyEnd {
    ~TBusyEnd() { TProgress::EndBusy(); }
  } busyEnd;
  if (CountChanged_) Send(TMsgCode::CountChanged);
  if (OrderChanged_) Send(TMsgCode::OrderChanged);
  SetItemIndex(ItemIndex_);
  Send(TMsgCode::EndUpdate);
}

bool TRecords::IsDuplicate(const TRecord& record, const TRecord* except,
                           TColumnsConsidered considered) const {
  return std::any_of(Items_.get(), Items_.get() + Count_, [&](const TRecord* other) {
    return other != &record && other != except && record.Equals(*other, Columns_, considered);
  });
}

bool TRecords::ValueExists(std::string_view text, const TColumn& column,
                           const TRecord* except) const {
  std::string buffer;
  return std::any_of(Items_.get(), Items_.get() + Count_, [&](const TRecord* record) {
    return record != except && record->Value(column, buffer) == text;
  });
}

int TRecords::MaxValueLength(const TColumn& column, int cap, int lastIndex) const {
  const int last = std::min(lastIndex, Count_ - 1);
  std::size_t longest = 0;
  std::string buffer;
  for (int i = 0; i <= last && longest < static_cast<std::size_t>(std::max(cap, 0)); ++i) {
    longest = std::max(longest, Items_[static_cast<std::size_t>(i)]->Value(column, buffer).size());
  }
  return static_cast<int>(std::min(longest, static_cast<std::size_t>(std::max(cap, 0))));
}

TRecordMarks TRecords::Marks(const TRecord& record) {
  if (record.Chosen()) return record.Found() ? TRecordMarks::ChosenAndFound : TRecordMarks::Chosen;
  return record.Found() ? TRecordMarks::Found : TRecordMarks::None;
}

namespace {

bool Downwards(TMove move) {
  return move == TMove::Down || move == TMove::ToLast;
}

bool AllTheWay(TMove move) {
  return move == TMove::ToFirst || move == TMove::ToLast;
}

}  // namespace

void TRecords::MoveCurrent(TMove move) {
  const bool down = Downwards(move);
  const bool toEnd = AllTheWay(move);
  const int from = ItemIndex_;
  if (from < 0) return;
  const int to = down ? (toEnd ? Count_ - 1 : from + 1) : (toEnd ? 0 : from - 1);
  if (to == from || to < 0 || to >= Count_) return;
  Move(from, to);
  SetItemIndex(to);
}

void TRecords::MoveChosen(TMove move) {
  const bool down = Downwards(move);
  const bool toEnd = AllTheWay(move);
  TRecord* const current = ItemIndex_ >= 0 ? Items_[static_cast<std::size_t>(ItemIndex_)] : nullptr;
  {
    TRecordsUpdate update(*this);
    TRecord** const first = Items_.get();
    TRecord** const last = first + Count_;
    if (toEnd) {
      const auto stays = down ? IsNotChosen : IsChosen;
      if (!std::is_partitioned(first, last, stays)) {
        std::stable_partition(first, last, stays);
        OrderChanged_ = true;
      }
    } else if (down) {
      // From the far end, so that a block of chosen records moves as one.
      for (int i = Count_ - 2; i >= 0; --i) {
        if (first[i]->Chosen() && !first[i + 1]->Chosen()) {
          std::swap(first[i], first[i + 1]);
          OrderChanged_ = true;
        }
      }
    } else {
      for (int i = 1; i < Count_; ++i) {
        if (first[i]->Chosen() && !first[i - 1]->Chosen()) {
          std::swap(first[i], first[i - 1]);
          OrderChanged_ = true;
        }
      }
    }
  }
  if (current != nullptr) SetItemIndex(IndexOf(*current));
}

void TRecords::ArrangeByMarks() {
  TRecord* const current = ItemIndex_ >= 0 ? Items_[static_cast<std::size_t>(ItemIndex_)] : nullptr;
  {
    TRecordsUpdate update(*this);
    auto before = [](const TRecord* a, const TRecord* b) { return Marks(*a) > Marks(*b); };
    if (!std::is_sorted(Items_.get(), Items_.get() + Count_, before)) {
      std::stable_sort(Items_.get(), Items_.get() + Count_, before);
      OrderChanged_ = true;
    }
  }
  if (current != nullptr) SetItemIndex(IndexOf(*current));
}

void TRecords::SetMarks(std::optional<bool> found, std::optional<bool> chosen) {
  for (TRecord* record : Items()) {
    if (found) record->SetFound(*found);
    if (chosen) record->SetChosen(*chosen);
  }
}

void TRecords::Sort(TColumn& column, TSortKey key) {
  if (column.Owner() != &Columns_) return;
  const bool addKey = key == TSortKey::Added;
  if (addKey && SortColumn_ != nullptr && SortColumn_ != &column) {
    std::vector<TColumn*> extraKeys = ExtraKeys_;
    std::erase(extraKeys, &column);
    extraKeys.push_back(&column);
    ApplySort(*SortColumn_, std::move(extraKeys), TSortDirection::Ascending, TReorder::Sort);
    return;
  }
  const bool again = SortColumn_ == &column && SortDirection_ != TSortDirection::None;
  const TSortDirection direction = again && SortDirection_ == TSortDirection::Ascending
                                       ? TSortDirection::Descending
                                       : TSortDirection::Ascending;
  ApplySort(column, {}, direction, again && !addKey ? TReorder::Reverse : TReorder::Sort);
}

void TRecords::SortBy(std::span<TColumn* const> keys, TSortDirection direction) {
  std::vector<TColumn*> taken;
  for (TColumn* key : keys) {
    if (key->Owner() == &Columns_ && std::ranges::find(taken, key) == taken.end()) {
      taken.push_back(key);
    }
  }
  if (taken.empty()) return;
  TColumn& primary = *taken.front();
  taken.erase(taken.begin());
  ApplySort(primary, std::move(taken),
            direction == TSortDirection::Descending ? direction : TSortDirection::Ascending,
            TReorder::Sort);
}

void TRecords::ApplySort(TColumn& primary, std::vector<TColumn*> extraKeys,
                         TSortDirection direction, TReorder reorder) {
  TRecord* const current = ItemIndex_ >= 0 ? Items_[static_cast<std::size_t>(ItemIndex_)] : nullptr;
  ExtraKeys_ = std::move(extraKeys);
  {
    // The update's own order notification must not drop the keys just set.
    struct TSortingFlag {
      bool& Flag;
      ~TSortingFlag() { Flag = false; }
    } sorting{Sorting_};
    TRecordsUpdate update(*this);
    if (reorder == TReorder::Reverse) {
      Reverse();
    } else if (Count_ > 0) {
      SortItems(primary, direction);
    }
    Sorting_ = true;
  }
  SortColumn_ = &primary;
  SortDirection_ = direction;
  Send(TMsgCode::SortChanged);
  if (current != nullptr) SetItemIndex(IndexOf(*current));
}

void TRecords::SortItems(TColumn& primary, TSortDirection direction) {
  // The primary key, the extra keys, then every other column in column order.
  std::vector<const TCellColumn*> keys;
  keys.reserve(static_cast<std::size_t>(Columns_.Count()));
  std::bitset<TColumns::kMaxColumns> taken;
  auto take = [&](const TColumn& column) {
    if (taken.test(static_cast<std::size_t>(column.Index()))) return;
    taken.set(static_cast<std::size_t>(column.Index()));
    keys.push_back(&column);
  };
  take(primary);
  for (const TColumn* column : ExtraKeys_) take(*column);
  for (const auto& column : Columns_) take(*column);
  if (SortRecords({Items_.get(), static_cast<std::size_t>(Count_)}, keys,
                  direction == TSortDirection::Descending)) {
    OrderChanged_ = true;
  }
}

void TRecords::Heard(const TMsg& msg) {
  if (msg.Sender == &Columns_) {
    HeardFromColumns(msg);
    return;
  }
  if (msg.Sender != this) return;
  switch (msg.Code) {
    case TMsgCode::CountChanged:
    case TMsgCode::OrderChanged:
    case TMsgCode::FieldsChanged:
    case TMsgCode::RecordEdited:
      ClearSortState();
      break;
    default:
      break;
  }
}

void TRecords::HeardFromColumns(const TMsg& msg) {
  const TColumnNotice notice = TColumnNotice::Of(msg);
  const TColumn* column = notice.Column;
  const int formerField = notice.FormerField;
  switch (msg.Code) {
    case TMsgCode::ColumnAdded:
      if (IsMaster() && column != nullptr && column->FieldIndex() >= 0) {
        // A record already holding the most fields there can be has one for the column.
        ChangeFields([](TFieldArray& fields) {
          if (fields.Count() < TFieldArray::kMaxFieldCount) fields.AppendFields(1);
        });
      }
      break;
    case TMsgCode::ColumnDeleted:
      if (column == SortColumn_ || !ExtraKeys_.empty()) ClearSortState();
      if (IsMaster() && formerField >= 0) {
        ChangeFields([formerField](TFieldArray& fields) { fields.DeleteField(formerField); });
      }
      break;
    case TMsgCode::ColumnMoved:
      if (IsMaster() && formerField >= 0 && column != nullptr &&
          column->FieldIndex() != formerField) {
        const int newField = column->FieldIndex();
        ChangeFields([=](TFieldArray& fields) { fields.MoveField(formerField, newField); });
      }
      break;
    case TMsgCode::ColumnsReloaded:
      Clear();
      ClearSortState();
      break;
    default:
      break;
  }
}

template <class TChange>
void TRecords::ChangeFields(TChange change) {
  {
    TBusyScope busy;
    for (TRecord* record : Items()) change(record->Fields());
  }
  Send(TMsgCode::FieldsChanged);
}

void TRecords::ClearSortState() {
  const bool changed = SortColumn_ != nullptr || SortDirection_ != TSortDirection::None ||
                       (!Sorting_ && !ExtraKeys_.empty());
  SortColumn_ = nullptr;
  SortDirection_ = TSortDirection::None;
  if (!Sorting_) ExtraKeys_.clear();
  // A sort announces its own new state right after.
  if (changed && !Sorting_) Send(TMsgCode::SortChanged);
}

void TRecords::Send(TMsgCode code, int formerIndex) {
  TRecordsNotice{this, formerIndex}.Send(code);
}

TRecord** TRecords::MakeRoom(int index, int count) {
  if (count > kMaxListSize - Count_)
    RaiseListError("List count out of bounds (%d)", Count_ + count);
  if (Count_ + count > Capacity_) {
    SetCapacity(std::min(std::max(Count_ + count, GrownCapacity(Capacity_)), kMaxListSize));
  }
  TRecord** const items = Items_.get();
  std::copy_backward(items + index, items + Count_, items + Count_ + count);
  Count_ += count;
  if (count > 0) CountChanged_ = true;
  return items + index;
}

void TRecords::Append(TRecord& record) {
  *MakeRoom(Count_, 1) = &record;
}

void TRecords::EraseAt(int index) {
  TRecord** const items = Items_.get();
  std::copy(items + index + 1, items + Count_, items + index);
  --Count_;
  CountChanged_ = true;
}

template <class TKeep>
void TRecords::Filter(TKeep keep) {
  TRecord** const items = Items_.get();
  int kept = 0;
  for (int i = 0; i < Count_; ++i) {
    if (keep(items[i])) items[kept++] = items[i];
  }
  if (kept == Count_) return;
  Count_ = kept;
  CountChanged_ = true;
}

void TRecords::FreeFrom(int index) {
  for (int i = index; i < Count_; ++i) Master_->Pool_.Free(*Items_[static_cast<std::size_t>(i)]);
  if (index >= Count_) return;
  Count_ = index;
  CountChanged_ = true;
}

void TRecords::CheckIndex(int index, int limit) const {
  if (index < 0 || index > limit) RaiseListError("List index out of bounds (%d)", index);
}

template <class TUse>
void TRecords::WithEntries(const TRecords& list, TUse use) {
  if (&list != this) {
    use(list.Items());
    return;
  }
  const std::vector<TRecord*> entries(list.Items().begin(), list.Items().end());
  use(std::span<TRecord* const>(entries));
}

TRecordsUpdate::~TRecordsUpdate() noexcept(false) {
  if (std::uncaught_exceptions() == Failures_) {
    Records_.EndUpdate();
    return;
  }
  try {
    Records_.EndUpdate();
  } catch (...) {
    // The failure being handled is the one to report.
  }
}

}  // namespace mervanta
