#include "support/block_arena.h"

#include <cstdint>

#include "support/large_pages.h"

namespace mervanta {

// The start of every chunk; chunks are aligned to their size, so a block finds its chunk by
// its address alone.
struct TBlockArena::TChunk {
  // Blocks not given back, plus one while the arena still carves from the chunk.
  std::size_t Live;
};

namespace {

constexpr std::size_t kHeaderSize = alignof(std::max_align_t);
static_assert(sizeof(std::size_t) <= kHeaderSize);

}  // namespace

TBlockArena::~TBlockArena() {
  if (Current_ != nullptr) Release(reinterpret_cast<char*>(Current_) + kHeaderSize);
}

char* TBlockArena::Allocate(std::size_t size) {
  if (size > static_cast<std::size_t>(End_ - Next_)) {
    // The full chunk is let go first: when its blocks are gone, its memory serves the next.
    if (Current_ != nullptr) Release(reinterpret_cast<char*>(Current_) + kHeaderSize);
    Current_ = nullptr;
    Next_ = End_ = nullptr;
    auto* chunk = static_cast<TChunk*>(MapLargePages(kChunkSize, kChunkSize));
    chunk->Live = 1;
    Current_ = chunk;
    Next_ = reinterpret_cast<char*>(chunk) + kHeaderSize;
    End_ = reinterpret_cast<char*>(chunk) + kChunkSize;
  }
  ++Current_->Live;
  char* block = Next_;
  Next_ += size;
  return block;
}

void TBlockArena::Release(char* block) {
  const auto address = reinterpret_cast<std::uintptr_t>(block);
  auto* chunk = reinterpret_cast<TChunk*>(address & ~(std::uintptr_t{kChunkSize} - 1));
  if (--chunk->Live == 0) UnmapLargePages(chunk, kChunkSize);
}

}  // namespace mervanta
