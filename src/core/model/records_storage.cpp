// The data file's text and binary forms, read into and written from a records list.
#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

#include "model/byte_reader.h"
#include "model/columns.h"
#include "model/csv_line_reader.h"
#include "model/data_lines.h"
#include "model/data_text.h"
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

// The lines of the whole text told from those of its first block, a little on the high side:
// room for records that never come costs address space only.
int EstimatedLines(const TDataText& text) {
  const std::string_view first = text.Window();
  const int lines = CountDataLines(first);
  if (text.AtEnd() || first.empty()) return lines;
  const double estimate = static_cast<double>(lines) * static_cast<double>(text.Size()) /
                          static_cast<double>(first.size()) * 1.0625;
  return static_cast<int>(std::min(estimate, static_cast<double>(TRecords::kMaxListSize)));
}

// Counts the fields of the text's lines with `separator`, making no records. With `cleanOnly`
// the walk ends as soon as the separator cannot fit every line.
TLinesParse CountFields(TDataText& text, char separator, bool cleanOnly) {
  const TCsvLineReader reader(separator);
  return WalkDataLines(
      text,
      [&](std::string_view window, std::size_t& pos) { return reader.CountFields(window, pos); },
      [] {},
      [&](const TLinesParse& parse) {
        return !cleanOnly || (parse.Smallest == parse.Largest && parse.Smallest >= 2);
      });
}

// What loading the whole text takes: a slot and a list entry per record, and the field blocks,
// which grow with the text as those of the records read so far did.
std::uint64_t NeededMemory(const TDataText& text, int records, std::uint64_t blockBytes) {
  const auto size = static_cast<double>(text.Size());
  const auto consumed = static_cast<double>(text.Consumed());
  const double blocks =
      blockBytes > 0 && consumed > 0 ? static_cast<double>(blockBytes) * size / consumed : size;
  const double perRecord = sizeof(TRecord) + sizeof(TRecord*);
  return static_cast<std::uint64_t>(static_cast<double>(records) * perRecord + blocks);
}

}  // namespace

int TRecords::LoadText(TDataText& text, int minimumFields) {
  text.Restart();
  const std::string_view head = text.Head();
  if (!head.empty() && IsUtf16Text(head) &&
      ShowMessageBox(kUnicodeQuestion, "Warning", TButtons::YesNo, TIcon::Warning) !=
          TAnswer::Yes) {
    throw EOperationAborted();
  }
  const int lines = EstimatedLines(text);
  TRecordsUpdate update(*this);
  Clear();
  std::uint64_t blockBytes = 0;
  try {
    SetCapacity(lines);
    Master_->Pool_.Reserve(static_cast<std::size_t>(lines));
    const char configured = FieldSeparator(Options().Main->SeparatorIndex->Value());
    TLinesParse parse = ParseText(text, configured, minimumFields, blockBytes);
    if (!parse.Clean()) {
      for (const char separator : kFieldSeparators) {
        if (separator == configured) continue;
        // Only the field counts matter here; the records are made once a separator is taken.
        const TLinesParse trial = CountFields(text, separator, !parse.Failed);
        if (!trial.Clean() && (trial.Failed || !parse.Failed)) continue;
        FreeFrom(0);
        parse = ParseText(text, separator, minimumFields, blockBytes);
        break;
      }
    }
    if (parse.Failed) RaiseStreamReadError();
    const int fieldCount = std::max(parse.Largest, minimumFields);
    EnsureFieldCount(fieldCount);
    return fieldCount;
  } catch (const std::bad_alloc&) {
    const std::uint64_t needed = NeededMemory(text, std::max(lines, Count_), blockBytes);
    FreeFrom(0);
    RaiseNotEnoughMemory(text.Name(), needed);
  }
}

TLinesParse TRecords::ParseText(TDataText& text, char separator, int minimumFields,
                                std::uint64_t& blockBytes) {
  const int start = Count_;
  TRecordPool& pool = Master_->Pool_;
  TCsvLineReader reader(separator);
  std::string_view block;
  // Padded as they are made, only the records before the widest line need padding later.
  int widest = minimumFields;
  blockBytes = 0;
  const TLinesParse parse = WalkDataLines(
      text,
      [&](std::string_view window, std::size_t& pos) {
        block = reader.Read(window, pos);
        return reader.FieldCount();
      },
      [&] {
        widest = std::max(widest, reader.FieldCount());
        TRecord& record = pool.New(block, reader.FieldCount(), widest);
        try {
          Append(record);
        } catch (...) {
          pool.Free(record);
          throw;
        }
        blockBytes += block.size();
      },
      [](const TLinesParse&) { return true; });
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
  TRecordPool& pool = Master_->Pool_;
  for (TRecord* record : Items()) {
    if (record->Fields().Count() < count) pool.Widen(*record, count);
  }
}

}  // namespace mervanta
