#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace mervanta {

class TColumns;
class TRecord;

// Records by the texts of their stored cells, less the Counter columns' cells: the set
// answers whether it holds a record equal to a given one (TRecord::Equals over stored cells)
// without comparing the two with each record it holds. The records must outlive the set and
// keep their texts while in it.
class TRecordSet {
 public:
  explicit TRecordSet(const TColumns& columns);

  // Room for `count` records in all, so that adding them never grows the set.
  void Reserve(std::size_t count);
  void Add(const TRecord& record);
  bool ContainsEqual(const TRecord& record) const;
  std::size_t Count() const { return Count_; }

 private:
  struct TSlot {
    std::uint64_t Hash = 0;
    const TRecord* Record = nullptr;
  };

  std::uint64_t HashOf(const TRecord& record) const;
  void Rehash(std::size_t slotCount);

  const TColumns& Columns_;
  // Per field of a record: whether its text takes part.
  std::vector<bool> Considered_;
  std::vector<TSlot> Slots_;
  std::size_t Count_ = 0;
};

}  // namespace mervanta
