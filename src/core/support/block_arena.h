#pragma once

#include <cstddef>

namespace mervanta {

// Small blocks of bytes carved one after another out of large chunks on large pages: for the
// many field blocks of a loaded table, one mapping per few megabytes instead of a heap block
// each, without a heap header or rounding per block. A chunk lives as long as any block of it:
// every block is given back with Release, and a chunk whose last block goes is unmapped, so
// that edited and deleted records return their memory a whole chunk at a time.
class TBlockArena {
 public:
  static constexpr std::size_t kChunkSize = std::size_t{4} << 20;
  // Larger blocks belong on the heap: a chunk is for many blocks.
  static constexpr std::size_t kMaxBlockSize = std::size_t{64} << 10;

  TBlockArena() = default;
  // Blocks still held keep their chunks.
  ~TBlockArena();
  TBlockArena(const TBlockArena&) = delete;
  TBlockArena& operator=(const TBlockArena&) = delete;

  // `size` is 1 to kMaxBlockSize. Raises std::bad_alloc when no chunk can be had.
  char* Allocate(std::size_t size);
  // Gives back a block of any arena.
  static void Release(char* block);

 private:
  struct TChunk;

  TChunk* Current_ = nullptr;
  char* Next_ = nullptr;
  char* End_ = nullptr;
};

}  // namespace mervanta
