#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

class TColumns;
class TRecord;

// Per field of the records: whether the equality and emptiness of records consider it (the
// stored columns' fields, less those of Counter columns).
std::vector<bool> ConsideredFields(const TColumns& columns);

// A few records indexed by the texts of their stored cells, less the Counter columns' cells,
// so that one pass over many other records finds which of them have an equal there
// (TRecord::Equals over stored cells) without comparing each pair. Equal records of the set
// share one entry. The records must keep their texts while the set lives.
class TRecordSet {
 public:
  TRecordSet(const TColumns& columns, std::span<const TRecord* const> records);

  // For each record of the set, in its order, whether `others` holds an equal record.
  std::vector<bool> FoundIn(std::span<const TRecord* const> others) const;

 private:
  // Without Counter columns: the record's first `fieldCount` stored fields as they lie in its
  // block, missing ones completed as empty ones. Equal records have equal runs.
  std::string_view StoredRun(const TRecord& record, std::size_t fieldCount) const;
  std::uint64_t PrefixHashOf(const TRecord& record) const;
  // False when no record of the set begins its stored fields as this one does.
  bool MayHold(const TRecord& record) const;
  std::uint64_t HashOf(const TRecord& record) const;
  // Calls visit(record, hash) for each record that `filter` passes, in turn, with the
  // records' texts and slots fetched ahead so that their cache misses overlap.
  template <class TFilter, class TVisit>
  void ForEachHashed(std::span<const TRecord* const> records, TFilter filter, TVisit visit) const;
  // The entry equal to the record, or -1 when there is none.
  int Find(const TRecord& record, std::uint64_t hash) const;

  const TColumns& Columns_;
  // Per field of a record: whether its text takes part.
  std::vector<bool> Considered_;
  // No Counter column: the stored fields are hashed in one piece, and their first bytes
  // filter the records looked up.
  bool AllConsidered_ = false;
  std::vector<std::uint64_t> Prefixes_;
  // A record with missing fields, completed with empty ones.
  mutable std::string Scratch_;
  // One record per entry, and each record's entry.
  std::vector<const TRecord*> Entries_;
  std::vector<int> EntryOf_;
  // Open addressing over a power of two, at most half used. A slot holds the upper half of
  // its entry's hash and the entry's index plus 1; 0 is a free slot.
  std::vector<std::uint64_t> Slots_;
};

}  // namespace mervanta
