#include "exchange/record_set.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "model/columns.h"
#include "model/record.h"
#include "support/hashing.h"

namespace mervanta {

namespace {

// Records are looked up in batches, so that their cache misses overlap.
constexpr std::size_t kBatch = 16;
// Records are first told apart by the first bytes of their first stored fields: most records
// of a table differ from those of a file there, and those bytes take no walk over all fields.
constexpr std::size_t kPrefixFields = 4;
constexpr std::size_t kPrefixBytes = 32;

std::uint64_t Tag(std::uint64_t hash) {
  return hash & 0xFFFFFFFF00000000ull;
}

}  // namespace

std::vector<bool> ConsideredFields(const TColumns& columns) {
  std::vector<bool> considered(static_cast<std::size_t>(columns.StoredCount()), false);
  for (const auto& column : columns) {
    if (column->FieldIndex() >= 0 && !column->IsCounter()) {
      considered[static_cast<std::size_t>(column->FieldIndex())] = true;
    }
  }
  return considered;
}

TRecordSet::TRecordSet(const TColumns& columns, std::span<const TRecord* const> records)
    : Columns_(columns), Considered_(ConsideredFields(columns)) {
  AllConsidered_ = std::ranges::all_of(Considered_, [](bool considered) { return considered; });
  std::size_t slotCount = 16;
  while (slotCount < 2 * records.size()) slotCount *= 2;
  Slots_.assign(slotCount, 0);
  // Sixteen bits a record let about one record in sixteen with another prefix through.
  Prefixes_.assign(slotCount / 8, 0);
  EntryOf_.reserve(records.size());
  const std::size_t mask = slotCount - 1;
  auto all = [](const TRecord&) { return true; };
  ForEachHashed(records, all, [&](const TRecord& record, std::uint64_t hash) {
    int entry = Find(record, hash);
    if (entry < 0) {
      entry = static_cast<int>(Entries_.size());
      Entries_.push_back(&record);
      std::size_t i = hash & mask;
      while (Slots_[i] != 0) i = (i + 1) & mask;
      Slots_[i] = Tag(hash) | static_cast<std::uint64_t>(entry + 1);
      if (AllConsidered_) {
        const std::uint64_t bit = PrefixHashOf(record) & (Prefixes_.size() * 64 - 1);
        Prefixes_[bit / 64] |= std::uint64_t{1} << (bit % 64);
      }
    }
    EntryOf_.push_back(entry);
  });
}

template <class TFilter, class TVisit>
void TRecordSet::ForEachHashed(std::span<const TRecord* const> records, TFilter filter,
                               TVisit visit) const {
  const std::size_t mask = Slots_.size() - 1;
  std::array<const TRecord*, kBatch> passed;
  std::array<std::uint64_t, kBatch> hashes;
  for (std::size_t start = 0; start < records.size(); start += kBatch) {
    const std::size_t count = std::min(kBatch, records.size() - start);
    // The records two batches on and the texts of the next batch are on their way while
    // this batch is hashed, and this batch's slots while it is visited.
    const std::size_t next = start + count;
    for (std::size_t i = next + kBatch; i < std::min(records.size(), next + 2 * kBatch); ++i) {
      __builtin_prefetch(records[i]);
    }
    for (std::size_t i = next; i < std::min(records.size(), next + kBatch); ++i) {
      // Both lines that most blocks take; the address of the second is only a hint.
      const auto data = reinterpret_cast<std::uintptr_t>(records[i]->Fields().Data());
      __builtin_prefetch(reinterpret_cast<const void*>(data));
      __builtin_prefetch(reinterpret_cast<const void*>(data + 64));
    }
    std::size_t passing = 0;
    for (std::size_t i = 0; i < count; ++i) {
      const TRecord& record = *records[start + i];
      if (!filter(record)) continue;
      passed[passing] = &record;
      hashes[passing] = HashOf(record);
      __builtin_prefetch(&Slots_[hashes[passing] & mask]);
      ++passing;
    }
    for (std::size_t i = 0; i < passing; ++i) visit(*passed[i], hashes[i]);
  }
}

// A missing field reads as an empty one, and is hashed as one.
std::string_view TRecordSet::StoredRun(const TRecord& record, std::size_t fieldCount) const {
  const TFieldArray& fields = record.Fields();
  const std::size_t present = std::min(static_cast<std::size_t>(fields.Count()), fieldCount);
  const std::string_view run(fields.Data(), fields.FieldOffset(static_cast<int>(present)));
  if (present == fieldCount) return run;
  Scratch_.assign(run);
  Scratch_.append(2 * (fieldCount - present), '\0');
  return Scratch_;
}

std::uint64_t TRecordSet::PrefixHashOf(const TRecord& record) const {
  const std::string_view run =
      StoredRun(record, std::min(kPrefixFields, Considered_.size())).substr(0, kPrefixBytes);
  return HashShortBytes(run);
}

bool TRecordSet::MayHold(const TRecord& record) const {
  if (!AllConsidered_) return true;
  const std::uint64_t bit = PrefixHashOf(record) & (Prefixes_.size() * 64 - 1);
  return (Prefixes_[bit / 64] >> (bit % 64) & 1) != 0;
}

std::uint64_t TRecordSet::HashOf(const TRecord& record) const {
  // The stored fields hashed as they lie in the block, in one run: hashing them one by one
  // would cost more for their varying lengths than for their bytes.
  if (AllConsidered_) return FinishHash(HashBytes(StoredRun(record, Considered_.size())));
  TFieldArray::TCursor fields(record.Fields());
  std::uint64_t hash = 0;
  for (std::size_t i = 0; i < Considered_.size(); ++i) {
    if (Considered_[i]) hash = MixText(hash, fields.Field(static_cast<int>(i)));
  }
  return FinishHash(hash);
}

int TRecordSet::Find(const TRecord& record, std::uint64_t hash) const {
  const std::uint64_t tag = Tag(hash);
  const std::size_t mask = Slots_.size() - 1;
  for (std::size_t i = hash & mask; Slots_[i] != 0; i = (i + 1) & mask) {
    if (Tag(Slots_[i]) != tag) continue;
    const int entry = static_cast<int>(Slots_[i] & 0xFFFFFFFFu) - 1;
    if (record.Equals(*Entries_[static_cast<std::size_t>(entry)], Columns_,
                      TColumnsConsidered::StoredOnly))
      return entry;
  }
  return -1;
}

std::vector<bool> TRecordSet::FoundIn(std::span<const TRecord* const> others) const {
  std::vector<bool> found(Entries_.size(), false);
  if (Entries_.empty()) return found;
  auto mayBeIn = [this](const TRecord& other) { return MayHold(other); };
  ForEachHashed(others, mayBeIn, [&](const TRecord& other, std::uint64_t hash) {
    const int entry = Find(other, hash);
    if (entry >= 0) found[static_cast<std::size_t>(entry)] = true;
  });
  std::vector<bool> result(EntryOf_.size());
  for (std::size_t i = 0; i < EntryOf_.size(); ++i) {
    result[i] = found[static_cast<std::size_t>(EntryOf_[i])];
  }
  return result;
}

}  // namespace mervanta
