#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "model/record.h"
#include "support/block_arena.h"
#include "support/large_pages.h"

namespace mervanta {

// Where a master list keeps its records: slots carved from a few large chunks on large pages,
// so that a record costs its own few bytes and no heap block of its own, and the field blocks
// of loaded records, carved from an arena. Freed slots are reused first. Destroying the pool
// destroys every record still in it.
class TRecordPool {
 public:
  TRecordPool() = default;
  ~TRecordPool();
  TRecordPool(const TRecordPool&) = delete;
  TRecordPool& operator=(const TRecordPool&) = delete;

  TRecord& New(TFieldArray fields);
  // A record of the `count` fields of a packed block (see TFieldArray), followed by empty
  // fields up to `fieldCount`, in a block carved from the pool's arena.
  TRecord& New(std::string_view block, int count, int fieldCount);
  // Appends empty fields to a record of this pool up to `fieldCount`, as
  // TRecord::EnsureFieldCount does, but in a block carved from the arena.
  void Widen(TRecord& record, int fieldCount);
  // A record this pool does not hold, or holds no more, is left alone: freeing twice through
  // lists that hold the same record must not break the pool.
  void Free(TRecord& record);
  // Makes room for `count` more records at once, so that a load takes one chunk.
  void Reserve(std::size_t count);
  std::size_t LiveCount() const { return Live_; }

 private:
  union TSlot {
    TSlot* NextFree;
    alignas(TRecord) unsigned char Storage[sizeof(TRecord)];
  };
  struct TChunk {
    TLargePagesBlock Memory;
    TSlot* Slots;
    std::size_t Size;
    std::unique_ptr<std::uint64_t[]> Live;  // one bit per slot
  };

  // The fields of `block` followed by empty ones, in the arena unless too large for it.
  TFieldArray Padded(std::string_view block, int count, int fieldCount);
  void AddChunk(std::size_t size);
  // The chunk holding the address, or null.
  TChunk* ChunkOf(const void* address);
  static bool TestAndSet(TChunk& chunk, std::size_t slot, bool live);

  std::vector<TChunk> Chunks_;  // by address, for finding a record's chunk
  TSlot* Next_ = nullptr;       // never handed out yet, up to End_
  TSlot* End_ = nullptr;
  TSlot* FreeList_ = nullptr;
  std::size_t FreeCount_ = 0;
  std::size_t Slots_ = 0;
  std::size_t Live_ = 0;
  TBlockArena FieldBlocks_;
};

}  // namespace mervanta
