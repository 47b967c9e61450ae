// Feeds arbitrary bytes to the document reader, then checks that what it kept is written so
// that it reads back as the same document, less its empty elements, and that the document
// read back writes the same text again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/xml_file.h"

namespace {

using mervanta::TXmlTag;

// Names, attributes in order and children compared pairwise; the empty children of `read`
// are skipped, since the writer leaves them out. A stack, since hostile input nests deep.
bool SameDocument(const TXmlTag& read, const TXmlTag& readBack) {
  std::vector<std::pair<const TXmlTag*, const TXmlTag*>> pending{{&read, &readBack}};
  while (!pending.empty()) {
    const auto [first, second] = pending.back();
    pending.pop_back();
    if (first->Name != second->Name || first->ParamCount() != second->ParamCount()) return false;
    for (int i = 0; i < first->ParamCount(); ++i) {
      if (first->Param(i) != second->Param(i)) return false;
    }
    int next = 0;
    for (int i = 0; i < first->Count(); ++i) {
      if (first->ChildAt(i)->IsEmpty()) continue;
      if (next == second->Count()) return false;
      pending.emplace_back(first->ChildAt(i), second->ChildAt(next++));
    }
    if (next != second->Count()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mervanta::TXmlFile read;
  read.LoadFromString(std::string_view(reinterpret_cast<const char*>(data), size));
  const std::string written = read.SaveToString();
  mervanta::TXmlFile readBack;
  readBack.LoadFromString(written);
  if (!SameDocument(*read.Root(), *readBack.Root())) __builtin_trap();
  if (readBack.SaveToString() != written) __builtin_trap();
  return 0;
}
