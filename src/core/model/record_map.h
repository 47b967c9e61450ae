#pragma once

#include <bit>
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "support/hashing.h"

namespace mervanta {

class TRecord;

// A value per record, for the list operations that would otherwise search the list once for
// every record of another list. Open addressing in one array: no allocation per entry.
template <class TValue>
class TRecordMap {
 public:
  // Sized for `expected` entries; more are fine, at the cost of growing.
  explicit TRecordMap(std::size_t expected) { Resize(std::bit_ceil(2 * expected + 2)); }

  // The record's value, default-made when it has none yet.
  TValue& operator[](const TRecord* record) {
    if (2 * (Size_ + 1) > Slots_.size()) Resize(2 * Slots_.size());
    TSlot& slot = SlotOf(record);
    if (slot.Record == nullptr) {
      slot.Record = record;
      ++Size_;
    }
    return slot.Value;
  }
  // Null when the record has no value.
  TValue* Find(const TRecord* record) {
    TSlot& slot = SlotOf(record);
    return slot.Record == nullptr ? nullptr : &slot.Value;
  }

 private:
  struct TSlot {
    const TRecord* Record = nullptr;
    TValue Value{};
  };

  // The record's slot, or the empty one where it would go.
  TSlot& SlotOf(const TRecord* record) {
    const std::size_t mask = Slots_.size() - 1;
    std::size_t at = static_cast<std::size_t>(HashAddress(record)) & mask;
    while (Slots_[at].Record != nullptr && Slots_[at].Record != record) at = (at + 1) & mask;
    return Slots_[at];
  }

  void Resize(std::size_t slots) {
    std::vector<TSlot> old = std::exchange(Slots_, std::vector<TSlot>(slots));
    for (TSlot& slot : old) {
      if (slot.Record != nullptr) SlotOf(slot.Record) = std::move(slot);
    }
  }

  std::vector<TSlot> Slots_;
  std::size_t Size_ = 0;
};

}  // namespace mervanta
