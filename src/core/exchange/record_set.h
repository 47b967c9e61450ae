#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
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
  std::uint64_t HashOf(const TRecord& record) const;
  // Calls visit(record, hash) for each record in turn, with the records' texts and slots
  // fetched ahead so that their cache misses overlap.
  template <class TVisit>
  void ForEachHashed(std::span<const TRecord* const> records, TVisit visit) const;
  // The entry equal to the record, or -1 when there is none.
  int Find(const TRecord& record, std::uint64_t hash) const;

  const TColumns& Columns_;
  // Per field of a record: whether its text takes part.
  std::vector<bool> Considered_;
  // No Counter column: the stored fields are hashed in one piece.
  bool AllConsidered_ = false;
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
