#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/record.h"
#include "model/record_pool.h"
#include "support/msg_sender.h"

namespace mervanta {

class TColumn;
class TColumns;
class TDataText;
class TFileWriter;
struct TLinesParse;

enum class TSortDirection : std::uint8_t { None, Ascending, Descending };

// A heading click sorts by its column alone; a Shift-click adds the column as a further key.
enum class TSortKey : std::uint8_t { Only, Added };

// Where the reordering commands move records.
enum class TMove : std::uint8_t { Up, Down, ToFirst, ToLast };

// The marks of a record as one number (see TRecords::Marks).
enum class TRecordMarks : int { Chosen, ChosenAndFound, Found, None };

// An ordered list of records with a current record, a sort state and batched
// notifications. A list without a master is its own master: it owns its records, which live
// in its pool, keeps their fields in step with the stored columns, and is the only list that
// frees records. Other lists refer to the master's records.
//
// Every change runs inside an update; the outermost update announces BeginUpdate, then at its
// end CountChanged and OrderChanged when membership or order changed, and EndUpdate, with the
// list as sender. Between them the shared wait cursor is shown.
class TRecords {
 public:
  static constexpr int kMaxListSize = 536870911;

  explicit TRecords(TColumns& columns, TRecords* master = nullptr);
  ~TRecords();
  TRecords(const TRecords&) = delete;
  TRecords& operator=(const TRecords&) = delete;

  TColumns& Columns() const { return Columns_; }
  TRecords& Master() const { return *Master_; }
  bool IsMaster() const { return Master_ == this; }

  int Count() const { return Count_; }
  int Capacity() const { return Capacity_; }
  // Raises "List capacity out of bounds (%d)" below Count or above kMaxListSize.
  void SetCapacity(int capacity);
  std::span<TRecord* const> Items() const {
    return {Items_.get(), static_cast<std::size_t>(Count_)};
  }
  // Raises "List index out of bounds (%d)", as do the operations below given a bad index.
  TRecord& Item(int index) const;
  // The first position of the record; -1 when absent.
  int IndexOf(const TRecord& record) const;

  // Records are made in, and given back to, the master's pool. A record given back must be
  // in no list any more.
  TRecord& NewRecord(int fieldCount);
  void FreeRecord(TRecord& record);

  // Membership and order. Only AddUnique and the flips keep a record from occurring twice.
  int Add(TRecord& record);
  void Insert(int index, TRecord& record);
  // Each record of the list in turn goes to the same index, so the block ends up reversed.
  void InsertList(int index, const TRecords& list);
  void AddList(const TRecords& list);
  // An empty list takes the whole list, as AddList does.
  void AddUnique(const TRecords& list);
  // Removes the record when present, else appends it.
  void Flip(TRecord& record);
  // Flips each record of the list in turn; an empty list takes the whole list.
  void FlipList(const TRecords& list);
  void Delete(int index);
  // Removes the first occurrence; returns its index, or -1.
  int Remove(const TRecord& record);
  // Removes each record of the list in turn, once per occurrence there.
  void RemoveList(const TRecords& list);
  void Move(int from, int to);
  void Assign(const TRecords& list);
  // Drops the entries and the array; the records stay where they are.
  void Clear();
  // Gives every record back to the master's pool, then clears.
  void FreeAll();
  void Reverse();

  int ItemIndex() const { return ItemIndex_; }
  // Clamped to the list (-1 when it is empty). A change announces ItemIndexChanged, and
  // HasCurrentChanged when the list gains or loses its current record, both with the former
  // index as param2.
  void SetItemIndex(int index);

  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return UpdateCount_; }

  // Whether another record than the record itself and `except` equals it in every column
  // considered (see TRecord::Equals).
  bool IsDuplicate(const TRecord& record, const TRecord* except,
                   TColumnsConsidered considered) const;
  // Whether a record other than `except` holds exactly this text in the column.
  bool ValueExists(std::string_view text, const TColumn& column, const TRecord* except) const;
  // The longest text of the column among the records up to `lastIndex`; the search stops at
  // `cap`, which the result never exceeds.
  int MaxValueLength(const TColumn& column, int cap, int lastIndex) const;
  static TRecordMarks Marks(const TRecord& record);

  // The reordering commands. The current record stays current.
  // One place down or up, or to the last or first place.
  void MoveCurrent(TMove move);
  // Every chosen record one place down (up), never past another chosen one, or all of them
  // gathered at the end (start) in their order.
  void MoveChosen(TMove move);
  // Stable regrouping: no mark, found only, chosen and found, chosen only.
  void ArrangeByMarks();
  // Sets the Found and the Chosen mark of every record; an absent value leaves that mark.
  void SetMarks(std::optional<bool> found, std::optional<bool> chosen);

  // A click on a column's heading: the column becomes the sort key, or with TSortKey::Added
  // a further key after the primary one. Clicking the sort column again reverses the order.
  // Records equal in every key are ordered by the other columns, then by identity.
  void Sort(TColumn& column, TSortKey key);
  // Sorts by several keys in one sort: the first key primary, the others extra keys in their
  // order, ascending or, when Descending, in exactly the reverse order. The sort state
  // becomes what clicks on the keys' headings would leave. Keys of other lists' columns, and
  // a key named again, are passed over; without any key nothing happens.
  void SortBy(std::span<TColumn* const> keys, TSortDirection direction);
  TColumn* SortColumn() const { return SortColumn_; }
  TSortDirection SortDirection() const { return SortDirection_; }
  std::span<TColumn* const> ExtraKeys() const { return ExtraKeys_; }
  // The header offers no sorting while this is set.
  bool DenySort() const { return DenySort_; }
  void SetDenySort(bool denySort) { DenySort_ = denySort; }

  // The data file's text form: replaces the list's entries with the records read, trying the
  // other separators when the configured one does not fit. Text that looks like UTF-16 is
  // read only when the user agrees ("Operation aborted" otherwise, the list untouched);
  // text that does not parse raises "Stream read error" and leaves the list empty, as does
  // running out of memory, with "Not enough memory to open "<file>" (N MB needed)". Returns
  // the field count, at least `minimumFields`, to which every record is padded.
  int LoadText(TDataText& text, int minimumFields);
  // One line per record, with the separator and quoting of the options.
  void SaveText(TFileWriter& out) const;
  // The binary form inside protected files: appends its records, or nothing when it fails.
  // Bytes that the header's record count leaves over are a failure too ("Stream read
  // error"). Returns the field count of its header.
  int LoadBinary(std::string_view bytes);
  void SaveBinary(std::string& out) const;
  // Pads every record to at least `count` fields.
  void EnsureFieldCount(int count);

 private:
  friend class TRecordsUpdate;

  void Heard(const TMsg& msg);
  void HeardFromColumns(const TMsg& msg);
  template <class TChange>
  void ChangeFields(TChange change);
  void ClearSortState();
  void Send(TMsgCode code, int formerIndex = 0);

  // Opens a gap of `count` entries at `index`, growing the array as needed.
  TRecord** MakeRoom(int index, int count);
  void Append(TRecord& record);
  void EraseAt(int index);
  // Keeps only the entries `keep` accepts, in their order.
  template <class TKeep>
  void Filter(TKeep keep);
  void CheckIndex(int index, int limit) const;
  // The entries of a list, copied when it is this very list.
  template <class TUse>
  void WithEntries(const TRecords& list, TUse use);
  // Parses the text into this list, each record padded to the most fields met so far and at
  // least `minimumFields`, and adds up the sizes of the records' field blocks; on a failure
  // the records it added are freed again.
  TLinesParse ParseText(TDataText& text, char separator, int minimumFields,
                        std::uint64_t& blockBytes);
  void FreeFrom(int index);
  enum class TReorder : std::uint8_t { Sort, Reverse };
  // Sorts, or only reverses, within one update, and sets and announces the sort state; the
  // current record stays current.
  void ApplySort(TColumn& primary, std::vector<TColumn*> extraKeys, TSortDirection direction,
                 TReorder reorder);
  void SortItems(TColumn& primary, TSortDirection direction);

  TColumns& Columns_;
  TRecords* Master_;
  TRecordPool Pool_;
  std::unique_ptr<TRecord*[]> Items_;
  int Count_ = 0;
  int Capacity_ = 0;
  int UpdateCount_ = 0;
  bool CountChanged_ = false;
  bool OrderChanged_ = false;
  bool DenySort_ = false;
  bool Sorting_ = false;
  TColumn* SortColumn_ = nullptr;
  TSortDirection SortDirection_ = TSortDirection::None;
  std::vector<TColumn*> ExtraKeys_;
  int ItemIndex_ = -1;
  TMsgSubscription Subscription_;
};

// Brackets changes of a list in one update. When the scope is left by a failure, a failure of
// a listener at the update's end is dropped, so that the first one is the one reported.
class TRecordsUpdate {
 public:
  explicit TRecordsUpdate(TRecords& records)
      : Records_(records), Failures_(std::uncaught_exceptions()) {
    records.BeginUpdate();
  }
  ~TRecordsUpdate() noexcept(false);
  TRecordsUpdate(const TRecordsUpdate&) = delete;
  TRecordsUpdate& operator=(const TRecordsUpdate&) = delete;

 private:
  TRecords& Records_;
  int Failures_;
};

}  // namespace mervanta
