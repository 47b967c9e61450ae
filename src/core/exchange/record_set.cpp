#include "exchange/record_set.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "model/columns.h"
#include "model/record.h"

namespace mervanta {

namespace {

constexpr std::uint64_t kMultiplier = 0x9E3779B97F4A7C15ull;
// Records are looked up in batches, so that their cache misses overlap.
constexpr std::size_t kBatch = 16;
// Records are first told apart by the first bytes of their first stored fields: most records
// of a table differ from those of a file there, and those bytes take no walk over all fields.
constexpr std::size_t kPrefixFields = 4;
constexpr std::size_t kPrefixBytes = 32;

std::uint64_t Mix(std::uint64_t hash, std::uint64_t word) {
  return std::rotl((hash ^ word) * kMultiplier, 23);
}

// Spreads every bit over the whole hash, the low bits that pick the slot included.
std::uint64_t Finish(std::uint64_t hash) {
  hash ^= hash >> 32;
  hash *= 0xFF51AFD7ED558CCDull;
  return hash ^ (hash >> 29);
}

template <class TWord>
std::uint64_t Load(const unsigned char* text) {
  TWord word;
  std::memcpy(&word, text, sizeof word);
  return word;
}

// A text with its length, eight bytes at a time. The last bytes are read as whole
// words overlapping those before them: building a word byte by byte would stall every
// field on the store.
std::uint64_t MixText(std::uint64_t hash, const unsigned char* text, std::size_t length) {
  hash = Mix(hash, length);
  if (length >= 8) {
    const unsigned char* const last = text + length - 8;
    for (; text < last; text += 8) hash = Mix(hash, Load<std::uint64_t>(text));
    return Mix(hash, Load<std::uint64_t>(last));
  }
  if (length >= 4) {
    return Mix(hash, Load<std::uint32_t>(text) | Load<std::uint32_t>(text + length - 4) << 32);
  }
  if (length > 0) {
    return Mix(hash, text[0] | static_cast<std::uint64_t>(text[length / 2]) << 8 |
                         static_cast<std::uint64_t>(text[length - 1]) << 16);
  }
  return hash;
}

// A run of bytes in two interleaved lanes, whose multiplications overlap.
std::uint64_t HashBytes(const unsigned char* bytes, std::size_t size) {
  if (size < 16) return MixText(0, bytes, size);
  std::uint64_t even = size;
  std::uint64_t odd = kMultiplier;
  const unsigned char* const last = bytes + size - 16;
  for (; bytes < last; bytes += 16) {
    even = Mix(even, Load<std::uint64_t>(bytes));
    odd = Mix(odd, Load<std::uint64_t>(bytes + 8));
  }
  return Mix(Mix(even, Load<std::uint64_t>(last)), Mix(odd, Load<std::uint64_t>(last + 8)));
}

// The halves of a full product folded together: every bit of both words reaches the result.
std::uint64_t FoldedProduct(std::uint64_t a, std::uint64_t b) {
  const unsigned __int128 product = static_cast<unsigned __int128>(a) * b;
  return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

// Up to kPrefixBytes bytes with all their words multiplied at once: this hash is taken of
// every record looked up, so it must be short.
std::uint64_t HashPrefix(const unsigned char* bytes, std::size_t size) {
  if (size < 16) return Finish(MixText(0, bytes, size));
  const unsigned char* const last = bytes + size - 16;
  return FoldedProduct(Load<std::uint64_t>(bytes) ^ 0xA0761D6478BD642Full,
                       Load<std::uint64_t>(bytes + 8) ^ 0xE7037ED1A0B428DBull) ^
         FoldedProduct(Load<std::uint64_t>(last) ^ 0x8EBC6AF09C88C6E3ull,
                       Load<std::uint64_t>(last + 8) ^ 0x589965CC75374CC3ull) ^
         size;
}

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
  const auto* data = reinterpret_cast<const unsigned char*>(fields.Data());
  const std::size_t present = std::min(static_cast<std::size_t>(fields.Count()), fieldCount);
  std::size_t size = 0;
  for (std::size_t i = 0; i < present; ++i) {
    size += 2 + (data[size] | static_cast<std::size_t>(data[size + 1]) << 8);
  }
  if (present == fieldCount) return {fields.Data(), size};
  Scratch_.assign(std::string_view(fields.Data(), size));
  Scratch_.append(2 * (fieldCount - present), '\0');
  return Scratch_;
}

std::uint64_t TRecordSet::PrefixHashOf(const TRecord& record) const {
  const std::string_view run =
      StoredRun(record, std::min(kPrefixFields, Considered_.size())).substr(0, kPrefixBytes);
  return HashPrefix(reinterpret_cast<const unsigned char*>(run.data()), run.size());
}

bool TRecordSet::MayHold(const TRecord& record) const {
  if (!AllConsidered_) return true;
  const std::uint64_t bit = PrefixHashOf(record) & (Prefixes_.size() * 64 - 1);
  return (Prefixes_[bit / 64] >> (bit % 64) & 1) != 0;
}

std::uint64_t TRecordSet::HashOf(const TRecord& record) const {
  if (AllConsidered_) {
    // The stored fields hashed as they lie in the block, in one run: hashing them one by
    // one would cost more for their varying lengths than for their bytes.
    const std::string_view run = StoredRun(record, Considered_.size());
    return Finish(HashBytes(reinterpret_cast<const unsigned char*>(run.data()), run.size()));
  }
  const TFieldArray& fields = record.Fields();
  const auto* data = reinterpret_cast<const unsigned char*>(fields.Data());
  std::uint64_t hash = 0;
  for (std::size_t i = 0; i < Considered_.size(); ++i) {
    std::size_t length = 0;
    const unsigned char* text = data;
    if (i < static_cast<std::size_t>(fields.Count())) {
      length = data[0] | static_cast<std::size_t>(data[1]) << 8;
      text = data + 2;
      data = text + length;
    }
    if (Considered_[i]) hash = MixText(hash, text, length);
  }
  return Finish(hash);
}

int TRecordSet::Find(const TRecord& record, std::uint64_t hash) const {
  const std::uint64_t tag = Tag(hash);
  const std::size_t mask = Slots_.size() - 1;
  for (std::size_t i = hash & mask; Slots_[i] != 0; i = (i + 1) & mask) {
    if (Tag(Slots_[i]) != tag) continue;
    const int entry = static_cast<int>(Slots_[i] & 0xFFFFFFFFu) - 1;
    if (record.Equals(*Entries_[static_cast<std::size_t>(entry)], Columns_, true)) return entry;
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
