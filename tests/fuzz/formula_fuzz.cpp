// Feeds arbitrary bytes to the formula reader and parser as a virtual column's formula, then
// computes it for a record whose other virtual column refers back to it.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "../core/formula/test_record.h"
#include "formula/fo_variable.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mervanta::test::TTestRecord record;
  record.AddStored("5");
  record.AddStored("abc");
  record.AddStored("1,5\r\nx\ny");
  record.AddVirtual(std::string_view(reinterpret_cast<const char*>(data), size));
  record.AddVirtual("#4+#1");
  const std::string value = record.Value(4);
  // A cell never holds more than a field may, and computing again gives the same text.
  if (value.size() > mervanta::kMaxTextLength) __builtin_trap();
  if (record.Value(4) != value) __builtin_trap();
  record.Value(5);
  return 0;
}
