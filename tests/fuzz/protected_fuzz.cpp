// Feeds arbitrary bytes as a protected data file, unscrambles it with a password taken from
// the bytes too, and reads the result as the table's binary form.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/byte_reader.h"
#include "model/field_array.h"
#include "model/protecter.h"
#include "support/errors.h"

namespace {

using mervanta::EMervantaError;
using mervanta::TByteReader;
using mervanta::TFieldArray;
using mervanta::TProtecter;

// As the table reads its binary form: version, field count, record count, records.
void ReadBinaryTable(std::string_view plaintext) {
  TByteReader reader(plaintext);
  const std::uint16_t version = reader.ReadUInt16();
  const std::int32_t fieldCount = reader.ReadInt32();
  const std::int32_t recordCount = reader.ReadInt32();
  if (fieldCount < 1 || fieldCount > TFieldArray::kMaxFieldCount || recordCount < 0) return;
  for (std::int32_t i = 0; i < recordCount; ++i) {
    TFieldArray fields = version == 100 ? TFieldArray::ReadLegacy(reader)
                                        : TFieldArray::ReadBinary(reader, fieldCount);
    std::size_t size = 0;
    for (int k = 0; k < fields.Count(); ++k) size += 2 + fields.Field(k).size();
    if (size != fields.DataSize()) std::abort();
  }
}

}  // namespace

// The first byte gives the password's length, 1 to 8; the password's bytes follow.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t passwordLength = std::min<std::size_t>(data[0] % 8 + 1, size - 1);
  const std::string password(reinterpret_cast<const char*>(data) + 1, passwordLength);
  if (password.empty()) return 0;
  std::string file(reinterpret_cast<const char*>(data) + 1 + passwordLength,
                   size - 1 - passwordLength);
  const std::string original = file;
  TProtecter::Verifier(password);
  try {
    const std::string_view plaintext = TProtecter::LoadProtected(file, password);
    std::string scrambled(plaintext);
    TProtecter::Scramble(scrambled.data(), scrambled.size(), password);
    if (scrambled != std::string_view(original).substr(original.size() - plaintext.size())) {
      std::abort();
    }
    ReadBinaryTable(plaintext);
  } catch (const EMervantaError&) {
  }
  return 0;
}
