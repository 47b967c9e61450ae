#pragma once

#include <cstddef>

#include "support/large_pages.h"

namespace mervanta::test {

// For one test, the large pages of loaded tables run out once `bytes` are mapped in all, as on
// a machine short of memory (1: at once).
class TShortOfMemory {
 public:
  explicit TShortOfMemory(std::size_t bytes = 1) { SetLargePagesLimit(bytes); }
  ~TShortOfMemory() { SetLargePagesLimit(0); }
  TShortOfMemory(const TShortOfMemory&) = delete;
  TShortOfMemory& operator=(const TShortOfMemory&) = delete;
};

}  // namespace mervanta::test
