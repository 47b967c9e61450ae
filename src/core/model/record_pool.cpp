#include "model/record_pool.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <new>

namespace mervanta {

namespace {

constexpr std::size_t kMinChunk = 256;
constexpr std::size_t kBitsPerWord = 64;

}  // namespace

TRecordPool::~TRecordPool() {
  if (Live_ == 0) return;
  for (TChunk& chunk : Chunks_) {
    for (std::size_t word = 0; word * kBitsPerWord < chunk.Size; ++word) {
      for (std::uint64_t bits = chunk.Live[word]; bits != 0; bits &= bits - 1) {
        const std::size_t slot =
            word * kBitsPerWord + static_cast<std::size_t>(__builtin_ctzll(bits));
        std::launder(reinterpret_cast<TRecord*>(chunk.Slots[slot].Storage))->~TRecord();
      }
    }
  }
}

TRecord& TRecordPool::New(TFieldArray fields) {
  if (FreeList_ == nullptr && Next_ == End_) AddChunk(std::max(kMinChunk, Slots_));
  TSlot* slot;
  if (FreeList_ != nullptr) {
    slot = FreeList_;
    FreeList_ = slot->NextFree;
    --FreeCount_;
  } else {
    slot = Next_++;
  }
  TChunk& chunk = *ChunkOf(slot);
  TestAndSet(chunk, static_cast<std::size_t>(slot - chunk.Slots), true);
  ++Live_;
  return *::new (static_cast<void*>(slot->Storage)) TRecord(std::move(fields));
}

TRecord& TRecordPool::New(std::string_view block, int count, int fieldCount) {
  return New(Padded(block, count, fieldCount));
}

void TRecordPool::Widen(TRecord& record, int fieldCount) {
  const TFieldArray& fields = record.Fields();
  if (fields.Count() >= fieldCount) return;
  record.Fields() = Padded({fields.Data(), fields.DataSize()}, fields.Count(), fieldCount);
}

TFieldArray TRecordPool::Padded(std::string_view block, int count, int fieldCount) {
  const int missing = std::max(fieldCount - count, 0);
  const std::size_t size = block.size() + 2 * static_cast<std::size_t>(missing);
  if (size == 0 || size > TBlockArena::kMaxBlockSize || fieldCount > TFieldArray::kMaxFieldCount) {
    TFieldArray fields = TFieldArray::Copied(block, count);
    fields.AppendFields(missing);
    return fields;
  }
  char* data = FieldBlocks_.Allocate(size);
  if (!block.empty()) std::memcpy(data, block.data(), block.size());
  std::memset(data + block.size(), 0, size - block.size());
  return TFieldArray::InArena(data, count + missing);
}

void TRecordPool::Free(TRecord& record) {
  TChunk* chunk = ChunkOf(&record);
  if (chunk == nullptr) return;
  auto* slot = reinterpret_cast<TSlot*>(&record);
  if (!TestAndSet(*chunk, static_cast<std::size_t>(slot - chunk->Slots), false)) return;
  record.~TRecord();
  --Live_;
  slot->NextFree = FreeList_;
  FreeList_ = slot;
  ++FreeCount_;
}

void TRecordPool::Reserve(std::size_t count) {
  const std::size_t room = FreeCount_ + static_cast<std::size_t>(End_ - Next_);
  if (count > room) AddChunk(count - room);
}

void TRecordPool::AddChunk(std::size_t size) {
  // What is left of the current chunk goes to the free list, so that only one chunk is
  // ever partly unused.
  while (Next_ != End_) {
    TSlot* slot = Next_++;
    slot->NextFree = FreeList_;
    FreeList_ = slot;
    ++FreeCount_;
  }
  TLargePagesBlock memory(size * sizeof(TSlot));
  auto* slots = static_cast<TSlot*>(memory.Data());
  TChunk chunk{std::move(memory), slots, size,
               std::make_unique<std::uint64_t[]>((size + kBitsPerWord - 1) / kBitsPerWord)};
  Next_ = chunk.Slots;
  End_ = Next_ + size;
  Slots_ += size;
  const auto at = std::upper_bound(Chunks_.begin(), Chunks_.end(), Next_,
                                   [](const TSlot* address, const TChunk& each) {
                                     return std::less<const TSlot*>()(address, each.Slots);
                                   });
  Chunks_.insert(at, std::move(chunk));
}

TRecordPool::TChunk* TRecordPool::ChunkOf(const void* address) {
  const auto* slot = static_cast<const TSlot*>(address);
  const std::less<const TSlot*> before;
  auto after =
      std::upper_bound(Chunks_.begin(), Chunks_.end(), slot,
                       [&](const TSlot* at, const TChunk& each) { return before(at, each.Slots); });
  if (after == Chunks_.begin()) return nullptr;
  TChunk& chunk = *(after - 1);
  const TSlot* first = chunk.Slots;
  if (!before(slot, first + chunk.Size)) return nullptr;
  // An address inside a slot but not at its start is no record of this pool.
  const auto offset =
      reinterpret_cast<std::uintptr_t>(slot) - reinterpret_cast<std::uintptr_t>(first);
  return offset % sizeof(TSlot) == 0 ? &chunk : nullptr;
}

bool TRecordPool::TestAndSet(TChunk& chunk, std::size_t slot, bool live) {
  std::uint64_t& word = chunk.Live[slot / kBitsPerWord];
  const std::uint64_t bit = std::uint64_t{1} << (slot % kBitsPerWord);
  const bool was = (word & bit) != 0;
  word = live ? word | bit : word & ~bit;
  return was;
}

}  // namespace mervanta
