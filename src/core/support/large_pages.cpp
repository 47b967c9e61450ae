#include "support/large_pages.h"

#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <new>

namespace mervanta {

namespace {

std::atomic<std::size_t> Mapped{0};
std::atomic<std::size_t> Limit{0};

std::size_t PageRounded(std::size_t size) {
  static const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  return (size + page - 1) / page * page;
}

}  // namespace

void* MapLargePages(std::size_t size, std::size_t alignment) {
  size = PageRounded(size);
  alignment = alignment == 0 ? 0 : PageRounded(alignment);
  const std::size_t limit = Limit.load();
  if (limit != 0 && Mapped.load() + size > limit) throw std::bad_alloc();
  // An aligned block is cut out of a mapping one alignment larger.
  const std::size_t mapped = size + alignment;
  void* start = ::mmap(nullptr, mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (start == MAP_FAILED) throw std::bad_alloc();
  auto* first = static_cast<char*>(start);
  if (alignment != 0) {
    const auto address = reinterpret_cast<std::uintptr_t>(start);
    char* aligned = first + ((alignment - address % alignment) % alignment);
    if (aligned > first) ::munmap(first, static_cast<std::size_t>(aligned - first));
    char* end = aligned + size;
    if (end < first + mapped) ::munmap(end, static_cast<std::size_t>(first + mapped - end));
    first = aligned;
  }
  // Only advice: without huge pages the memory works the same, page by page.
  ::madvise(first, size, MADV_HUGEPAGE);
  Mapped += size;
  return first;
}

void UnmapLargePages(void* address, std::size_t size) {
  size = PageRounded(size);
  ::munmap(address, size);
  Mapped -= size;
}

void SetLargePagesLimit(std::size_t bytes) {
  Limit = bytes;
}

}  // namespace mervanta
