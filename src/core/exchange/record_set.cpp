#include "exchange/record_set.h"

#include <cstring>

#include "model/columns.h"
#include "model/record.h"

namespace mervanta {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
  hash = (hash ^ word) * kMultiplier;
  return hash ^ (hash >> 29);
}

// A field's text with its length, eight bytes at a time.
std::uint64_t MixText(std::uint64_t hash, const char* text, std::size_t length) {
  hash = Mix(hash, length);
  for (; length >= 8; text += 8, length -= 8) {
    std::uint64_t word;
    std::memcpy(&word, text, 8);
    hash = Mix(hash, word);
  }
  if (length > 0) {
    std::uint64_t word = 0;
    std::memcpy(&word, text, length);
    hash = Mix(hash, word);
  }
  return hash;
}

}  // namespace

TRecordSet::TRecordSet(const TColumns& columns)
    : Columns_(columns), Considered_(static_cast<std::size_t>(columns.StoredCount()), false) {
  for (const auto& column : columns) {
    if (column->FieldIndex() >= 0 && !column->IsCounter()) {
      Considered_[static_cast<std::size_t>(column->FieldIndex())] = true;
    }
  }
  Slots_.resize(1024);
}

// One walk over the record's packed fields; a missing field counts as an empty one, as
// reading it does.
std::uint64_t TRecordSet::HashOf(const TRecord& record) const {
  const TFieldArray& fields = record.Fields();
  const auto* data = reinterpret_cast<const unsigned char*>(fields.Data());
  const auto present = static_cast<std::size_t>(fields.Count());
  std::uint64_t hash = 0;
  for (std::size_t i = 0; i < Considered_.size(); ++i) {
    std::size_t length = 0;
    const unsigned char* text = nullptr;
    if (i < present) {
      length = data[0] | static_cast<std::size_t>(data[1]) << 8;
      text = data + 2;
      data = text + length;
    }
    if (Considered_[i]) hash = MixText(hash, reinterpret_cast<const char*>(text), length);
  }
  return hash ^ (hash >> 32);
}

void TRecordSet::Reserve(std::size_t count) {
  std::size_t slotCount = Slots_.size();
  while (slotCount < 2 * count) slotCount *= 2;
  if (slotCount != Slots_.size()) Rehash(slotCount);
}

void TRecordSet::Add(const TRecord& record) {
  if (2 * (Count_ + 1) > Slots_.size()) Rehash(2 * Slots_.size());
  const std::uint64_t hash = HashOf(record);
  const std::size_t mask = Slots_.size() - 1;
  std::size_t i = hash & mask;
  while (Slots_[i].Record != nullptr) i = (i + 1) & mask;
  Slots_[i] = {hash, &record};
  ++Count_;
}

bool TRecordSet::ContainsEqual(const TRecord& record) const {
  const std::uint64_t hash = HashOf(record);
  const std::size_t mask = Slots_.size() - 1;
  for (std::size_t i = hash & mask; Slots_[i].Record != nullptr; i = (i + 1) & mask) {
    if (Slots_[i].Hash == hash && record.Equals(*Slots_[i].Record, Columns_, true)) return true;
  }
  return false;
}

// The slots stay a power of two, at most half used, so that probing stays short.
void TRecordSet::Rehash(std::size_t slotCount) {
  std::vector<TSlot> old(slotCount);
  old.swap(Slots_);
  const std::size_t mask = Slots_.size() - 1;
  for (const TSlot& slot : old) {
    if (slot.Record == nullptr) continue;
    std::size_t i = slot.Hash & mask;
    while (Slots_[i].Record != nullptr) i = (i + 1) & mask;
    Slots_[i] = slot;
  }
}

}  // namespace mervanta
