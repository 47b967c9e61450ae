// The data file's text and binary forms, read into and written from a records list.
#include <algorithm>
#include <cstdint>
#include <vector>

#include "model/byte_reader.h"
#include "model/columns.h"
#include "model/data_lines.h"
#include "model/records.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/progress.h"
#include "support/user_interface.h"
#include "support/utf16.h"

namespace mervanta {

namespace {

constexpr std::uint16_t kLegacyVersion = 100;
constexpr std::uint16_t kBinaryVersion = 101;
// Versions up to here are this format's; later ones are refused as newer, not as garbage.
constexpr std::uint16_t kLastFormatVersion = 199;

constexpr const char* kUnicodeQuestion =
    "Probably, the file has UNICODE characters.\rThis version does not support UNICODE."
    "\r\rContinue?\r\rPlease convert the file to ANSI (using Notepad or other editors) to avoid "
    "this message";

// Lines are gathered up to this size before they are written.
constexpr std::size_t kSaveChunk = 256 * 1024;

}  // namespace

int TRecords::LoadText(std::string_view bytes, int minimumFields) {
  if (!bytes.empty() && IsUtf16Text(bytes) &&
      ShowMessageBox(kUnicodeQuestion, "Warning", TButtons::YesNo, TIcon::Warning) !=
          TAnswer::Yes) {
    throw EMervantaError("Operation aborted");
  }
  const int lineCount = CountDataLines(bytes);
  TRecordsUpdate update(*this);
  Clear();
  SetCapacity(lineCount);
  Master_->Pool_.Reserve(static_cast<std::size_t>(lineCount));

  const char configured = FieldSeparator(Options().Main->SeparatorIndex->Value());
  TLinesParse parse = ParseText(bytes, configured, lineCount);
  if (!parse.Clean()) {
    for (const char separator : kFieldSeparators) {
      if (separator == configured) continue;
      // Only the field counts matter here; the records are made once a separator is taken.
      const TLinesParse trial = ParseDataLines(bytes, separator, lineCount, [](TFieldArray&&) {});
      if (!trial.Clean() && (trial.Failed || !parse.Failed)) continue;
      FreeFrom(0);
      parse = ParseText(bytes, separator, lineCount);
      break;
    }
  }
  if (parse.Failed) RaiseStreamReadError();
  const int fieldCount = std::max(parse.Largest, minimumFields);
  EnsureFieldCount(fieldCount);
  return fieldCount;
}

TLinesParse TRecords::ParseText(std::string_view bytes, char separator, int lineCount) {
  const int start = Count_;
  TRecordPool& pool = Master_->Pool_;
  const TLinesParse parse = ParseDataLines(bytes, separator, lineCount, [&](TFieldArray&& fields) {
    Append(pool.New(std::move(fields)));
  });
  if (parse.Failed) FreeFrom(start);
  return parse;
}

void TRecords::SaveText(TFileWriter& out) const {
  TProgressScope progress(Count_);
  std::string lines;
  lines.reserve(2 * kSaveChunk);
  for (const TRecord* record : Items()) {
    record->WriteLine(lines);
    if (lines.size() >= kSaveChunk) {
      out.Write(lines);
      lines.clear();
    }
    TProgress::Step();
  }
  out.Write(lines);
}

int TRecords::LoadBinary(std::string_view bytes) {
  TByteReader in(bytes);
  const std::uint16_t version = in.ReadUInt16();
  if (version < kLegacyVersion || version > kLastFormatVersion) RaiseStreamReadError();
  // No fields is what a table of computed columns only writes, and it must read back.
  const std::int32_t fieldCount = in.ReadInt32();
  if (fieldCount < 0 || fieldCount > TFieldArray::kMaxFieldCount) RaiseStreamReadError();
  const std::int32_t count = in.ReadInt32();
  if (count < 0 || count > kMaxListSize) RaiseStreamReadError();
  if (version > kBinaryVersion) {
    throw EMervantaError(
        "Unable to load password-protected file created with newer program version");
  }

  // Every record takes at least the four bytes of its size, so a header cannot make the
  // list reserve more than the bytes can fill.
  const std::size_t expected = std::min(static_cast<std::size_t>(count), in.Remaining() / 4);
  TRecordPool& pool = Master_->Pool_;
  pool.Reserve(expected);
  std::vector<TRecord*> read;
  try {
    read.reserve(expected);
    {
      TProgressScope progress(count);
      for (std::int32_t i = 0; i < count; ++i) {
        TFieldArray fields = version == kLegacyVersion ? TFieldArray::ReadLegacy(in)
                                                       : TFieldArray::ReadBinary(in, fieldCount);
        read.push_back(&pool.New(std::move(fields)));
        TProgress::Step();
      }
    }
    // Bytes after the last record mean a damaged count, and records that would be lost.
    if (!in.AtEnd()) RaiseStreamReadError();
    TRecordsUpdate update(*this);
    std::copy(read.begin(), read.end(), MakeRoom(Count_, count));
  } catch (...) {
    for (TRecord* record : read) pool.Free(*record);
    throw;
  }
  return fieldCount;
}

void TRecords::SaveBinary(std::string& out) const {
  // Records may carry more fields than there are stored columns (imported ones do); the
  // header must then count them all, or the file would not read back.
  int fieldCount = Columns_.StoredCount();
  for (const TRecord* record : Items()) fieldCount = std::max(fieldCount, record->Fields().Count());
  std::size_t size = 10;
  for (const TRecord* record : Items()) {
    const TFieldArray& fields = record->Fields();
    size += 4 + fields.DataSize() + 2 * static_cast<std::size_t>(fieldCount - fields.Count());
  }
  out.reserve(out.size() + size);

  AppendUInt16(out, kBinaryVersion);
  AppendInt32(out, fieldCount);
  AppendInt32(out, Count_);
  TProgressScope progress(Count_);
  for (const TRecord* record : Items()) {
    const TFieldArray& fields = record->Fields();
    const std::size_t dataSize = fields.DataSize();
    // Missing fields are written empty: two zero bytes of length each.
    const std::size_t padding = 2 * static_cast<std::size_t>(fieldCount - fields.Count());
    AppendInt32(out, static_cast<std::int32_t>(dataSize + padding));
    if (dataSize > 0) out.append(fields.Data(), dataSize);
    out.append(padding, '\0');
    TProgress::Step();
  }
}

void TRecords::EnsureFieldCount(int count) {
  for (TRecord* record : Items()) {
    if (record->Fields().Count() < count) record->EnsureFieldCount(count);
  }
}

}  // namespace mervanta
