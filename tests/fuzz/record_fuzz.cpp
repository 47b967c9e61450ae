// Feeds arbitrary bytes to the data file line parser and to the binary and legacy record
// readers. Whatever they accept must write out and read back the same, and counting a line's
// fields must agree with parsing it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/byte_reader.h"
#include "model/csv_line_reader.h"
#include "model/field_array.h"
#include "model/record.h"
#include "support/errors.h"

namespace {

using mervanta::EMervantaError;
using mervanta::TByteReader;
using mervanta::TFieldArray;

void Require(bool condition) {
  if (!condition) std::abort();
}

bool SameFields(const TFieldArray& a, const TFieldArray& b) {
  if (a.Count() != b.Count()) return false;
  for (int i = 0; i < a.Count(); ++i) {
    if (a.Field(i) != b.Field(i)) return false;
  }
  return a.DataSize() == b.DataSize();
}

void ParseLines(std::string_view text, char separator, bool quoteAll) {
  const mervanta::TCsvLineReader reader(separator);
  std::size_t pos = 0;
  while (pos < text.size()) {
    TFieldArray fields;
    std::size_t counted = pos;
    int count = -1;
    try {
      count = reader.CountFields(text, counted);
    } catch (const EMervantaError&) {
    }
    try {
      fields = TFieldArray::ParseCsvLine(text, pos, separator);
    } catch (const EMervantaError&) {
      Require(count < 0);
      return;
    }
    // Counting alone finds the same fields and the same end.
    Require(count == fields.Count() && counted == pos);
    std::string line;
    fields.AppendCsvLine(line, separator, quoteAll);
    std::size_t again = 0;
    Require(SameFields(TFieldArray::ParseCsvLine(line, again, separator), fields));
    Require(again == line.size() - 2);
    if (pos < text.size() && text[pos] == '\r') ++pos;
    if (pos < text.size() && text[pos] == '\n') ++pos;
  }
}

void ReadBinaryRecords(std::string_view bytes, int fieldCount) {
  TByteReader reader(bytes);
  try {
    while (!reader.AtEnd()) {
      const std::size_t start = reader.Position();
      TFieldArray fields = TFieldArray::ReadBinary(reader, fieldCount);
      std::string written;
      fields.WriteBinary(written);
      Require(written == bytes.substr(start, reader.Position() - start));
    }
  } catch (const EMervantaError&) {
  }
}

void ReadLegacyRecords(std::string_view bytes) {
  TByteReader reader(bytes);
  try {
    while (!reader.AtEnd()) {
      TFieldArray fields = TFieldArray::ReadLegacy(reader);
      std::string written;
      fields.WriteBinary(written);
      TByteReader again(written);
      Require(SameFields(TFieldArray::ReadBinary(again, fields.Count()), fields));
    }
  } catch (const EMervantaError&) {
  }
}

}  // namespace

// The first byte picks the separator, the quoting and the binary field count.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::string_view bytes(reinterpret_cast<const char*>(data) + 1, size - 1);
  ParseLines(bytes, mervanta::FieldSeparator(data[0] % 4), (data[0] & 4) != 0);
  ReadBinaryRecords(bytes, data[0] >> 3);
  ReadLegacyRecords(bytes);
  return 0;
}
