// Feeds arbitrary bytes to the document reader, then writes and re-reads what it kept.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "support/xml_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mervanta::TXmlFile file;
  file.LoadFromString(std::string_view(reinterpret_cast<const char*>(data), size));
  // Whatever was kept must write out and read back without trouble.
  mervanta::TXmlFile again;
  again.LoadFromString(file.SaveToString());
  return 0;
}
