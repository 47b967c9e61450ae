#include "support/block_arena.h"

#include <gtest/gtest.h>

#include <cstring>
#include <new>
#include <vector>

#include "test_support/short_of_memory.h"

namespace mervanta {
namespace {

bool CanAllocate() {
  try {
    TBlockArena arena;
    TBlockArena::Release(arena.Allocate(1));
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

TEST(BlockArena, BlocksFollowEachOtherAndKeepTheirBytes) {
  TBlockArena arena;
  std::vector<char*> blocks;
  for (std::size_t size = 1; size <= 300; ++size) {
    char* block = arena.Allocate(size);
    std::memset(block, static_cast<int>(size), size);
    if (!blocks.empty()) {
      EXPECT_EQ(block, blocks.back() + size - 1);
    }
    blocks.push_back(block);
  }
  for (std::size_t size = 1; size <= 300; ++size) {
    const char* block = blocks[size - 1];
    for (std::size_t i = 0; i < size; ++i) ASSERT_EQ(block[i], static_cast<char>(size));
  }
  for (char* block : blocks) TBlockArena::Release(block);
}

TEST(BlockArena, AChunkIsGivenBackWithItsLastBlock) {
  // Memory for one chunk: a second can be had only after the first went.
  test::TShortOfMemory oneChunk(TBlockArena::kChunkSize);
  auto arena = std::make_unique<TBlockArena>();
  char* first = arena->Allocate(10);
  char* second = arena->Allocate(TBlockArena::kMaxBlockSize);
  arena.reset();
  EXPECT_FALSE(CanAllocate()) << "two blocks still hold the chunk";
  TBlockArena::Release(second);
  EXPECT_FALSE(CanAllocate()) << "one block still holds the chunk";
  TBlockArena::Release(first);
  EXPECT_TRUE(CanAllocate());
}

TEST(BlockArena, AFullChunkMakesWayForTheNext) {
  // Memory for one chunk: a second can be had only after the first went.
  test::TShortOfMemory oneChunk(TBlockArena::kChunkSize);
  TBlockArena arena;
  std::vector<char*> blocks;
  for (std::size_t used = 0; used + TBlockArena::kMaxBlockSize < TBlockArena::kChunkSize;
       used += TBlockArena::kMaxBlockSize) {
    blocks.push_back(arena.Allocate(TBlockArena::kMaxBlockSize));
  }
  EXPECT_THROW(arena.Allocate(TBlockArena::kMaxBlockSize), std::bad_alloc);
  // Once its blocks are given back, the full chunk goes as the arena moves to a new one.
  for (char* block : blocks) TBlockArena::Release(block);
  char* next = arena.Allocate(TBlockArena::kMaxBlockSize);
  EXPECT_NE(next, nullptr);
  TBlockArena::Release(next);
}

}  // namespace
}  // namespace mervanta
