#pragma once

#include <cstddef>
#include <utility>

namespace mervanta {

// Memory for the large arrays of a loaded table, mapped on its own and offered to the kernel
// for transparent huge pages: filling it takes one page fault per 2 MB instead of one per
// 4 KB, and unmapping gives it back to the system at once. Any program that loads tables gets
// them this way, without asking the C library for them when it starts.
//
// Maps at least `size` bytes at an address that is a multiple of `alignment` (a power of two,
// or 0 for any page); raises std::bad_alloc when the memory cannot be had.
void* MapLargePages(std::size_t size, std::size_t alignment = 0);
// `size` as given to MapLargePages.
void UnmapLargePages(void* address, std::size_t size);

// A mapping of MapLargePages, given back when the holder goes.
class TLargePagesBlock {
 public:
  TLargePagesBlock() = default;
  explicit TLargePagesBlock(std::size_t size) : Data_(MapLargePages(size)), Size_(size) {}
  ~TLargePagesBlock() {
    if (Data_ != nullptr) UnmapLargePages(Data_, Size_);
  }
  TLargePagesBlock(TLargePagesBlock&& other) noexcept
      : Data_(std::exchange(other.Data_, nullptr)), Size_(std::exchange(other.Size_, 0)) {}
  TLargePagesBlock& operator=(TLargePagesBlock&& other) noexcept {
    std::swap(Data_, other.Data_);
    std::swap(Size_, other.Size_);
    return *this;
  }

  void* Data() const { return Data_; }

 private:
  void* Data_ = nullptr;
  std::size_t Size_ = 0;
};

// Tests make mappings fail as on a machine short of memory: once this many bytes are mapped
// in all, further mappings raise std::bad_alloc. 0 lifts the limit.
void SetLargePagesLimit(std::size_t bytes);

}  // namespace mervanta
