// Feeds arbitrary bytes to the binary form's loader. Whatever loads must save and load again
// to the same records; whatever fails must leave the list as it was.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "model/columns.h"
#include "model/records.h"
#include "support/errors.h"

namespace {

using namespace mervanta;

void Require(bool condition) {
  if (!condition) std::abort();
}

// The same texts in every field either record has, a missing field counting as empty.
bool SameFields(const TRecord& a, const TRecord& b) {
  const int count = std::max(a.Fields().Count(), b.Fields().Count());
  for (int i = 0; i < count; ++i) {
    if (a.Fields().Field(i) != b.Fields().Field(i)) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TColumns columns;
  for (int i = 0; i < 2; ++i) columns.Add(std::make_unique<TColumn>(TColumnStorage::Stored));
  TRecords all(columns);
  all.Add(all.NewRecord(2));
  int fieldCount = 0;
  try {
    fieldCount = all.LoadBinary(bytes);
  } catch (const EMervantaError&) {
    Require(all.Count() == 1);
    return 0;
  }
  Require(fieldCount >= 0 && fieldCount <= TFieldArray::kMaxFieldCount);

  std::string saved;
  all.SaveBinary(saved);
  TRecords again(columns);
  const int savedCount = again.LoadBinary(saved);
  Require(savedCount >= columns.StoredCount() && again.Count() == all.Count());
  for (int i = 0; i < all.Count(); ++i) {
    Require(again.Item(i).Fields().Count() == savedCount);
    Require(SameFields(all.Item(i), again.Item(i)));
  }
  return 0;
}
