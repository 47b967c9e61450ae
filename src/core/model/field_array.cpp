#include "model/field_array.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "model/byte_reader.h"
#include "model/csv_line_reader.h"
#include "support/block_arena.h"
#include "support/csv_field.h"
#include "support/errors.h"

namespace mervanta {

namespace {

constexpr char kLegacySeparator = '\x01';

void PutLength(char* prefix, std::size_t length) {
  prefix[0] = static_cast<char>(length & 0xFF);
  prefix[1] = static_cast<char>(length >> 8);
}

std::unique_ptr<char[]> NewBlock(std::size_t size) {
  return size == 0 ? nullptr : std::make_unique_for_overwrite<char[]>(size);
}

std::unique_ptr<char[]> CopyOf(std::string_view bytes) {
  std::unique_ptr<char[]> block = NewBlock(bytes.size());
  if (block) std::memcpy(block.get(), bytes.data(), bytes.size());
  return block;
}

[[noreturn]] void RaiseTooManyFields() {
  throw EMervantaError("Too many columns (" + std::to_string(TFieldArray::kMaxFieldCount) +
                       " max)");
}

}  // namespace

TFieldArray::TFieldArray(int count) {
  AppendFields(count);
}

TFieldArray TFieldArray::Copied(std::string_view block, int count) {
  return TFieldArray(CopyOf(block), count);
}

TFieldArray::TFieldArray(const TFieldArray& other)
    : TFieldArray(CopyOf({other.Data(), other.DataSize()}), other.Count_) {}

TFieldArray& TFieldArray::operator=(const TFieldArray& other) {
  if (this != &other) *this = TFieldArray(other);
  return *this;
}

std::size_t TFieldArray::FieldOffset(int i) const {
  const char* data = Data_;
  std::size_t offset = 0;
  for (int k = std::min<int>(i, Count_); k > 0; --k) offset += 2 + LengthAt(data + offset);
  return offset;
}

std::string_view TFieldArray::Field(int i) const {
  if (i < 0 || i >= Count_) return {};
  const char* prefix = Data_ + FieldOffset(i);
  return {prefix + 2, LengthAt(prefix)};
}

std::unique_ptr<char[]> TFieldArray::Spliced(std::size_t at, std::size_t removed,
                                             std::size_t inserted) const {
  const std::size_t size = DataSize();
  std::unique_ptr<char[]> block = NewBlock(size - removed + inserted);
  if (at > 0) std::memcpy(block.get(), Data_, at);
  if (at + removed < size) {
    std::memcpy(block.get() + at + inserted, Data_ + at + removed, size - at - removed);
  }
  return block;
}

void TFieldArray::Install(std::unique_ptr<char[]> data, int count) {
  FreeData();
  Data_ = data.release();
  InArena_ = false;
  Count_ = static_cast<std::int16_t>(count);
}

void TFieldArray::FreeData() noexcept {
  if (InArena_) {
    TBlockArena::Release(Data_);
  } else {
    delete[] Data_;
  }
}

void TFieldArray::SetField(int i, std::string_view text) {
  if (text.size() > kMaxFieldLength) {
    throw EMervantaError("Field too long (" + std::to_string(kMaxFieldLength) + " bytes max)");
  }
  if (i < 0) throw EMervantaError("Field index out of bounds (" + std::to_string(i) + ")");
  if (i >= Count_) AppendFields(i + 1 - Count_);
  const std::size_t at = FieldOffset(i);
  const std::size_t oldLength = LengthAt(Data_ + at);
  if (oldLength == text.size()) {
    // The text may be a view of this very block, hence memmove.
    if (!text.empty()) std::memmove(Data_ + at + 2, text.data(), text.size());
    return;
  }
  std::unique_ptr<char[]> block = Spliced(at, 2 + oldLength, 2 + text.size());
  PutLength(block.get() + at, text.size());
  if (!text.empty()) std::memcpy(block.get() + at + 2, text.data(), text.size());
  Install(std::move(block), Count_);
}

void TFieldArray::AppendFields(int count) {
  if (count <= 0) return;
  if (count > kMaxFieldCount - Count_) RaiseTooManyFields();
  const std::size_t size = DataSize();
  std::unique_ptr<char[]> block = Spliced(size, 0, 2 * static_cast<std::size_t>(count));
  std::memset(block.get() + size, 0, 2 * static_cast<std::size_t>(count));
  Install(std::move(block), Count_ + count);
}

void TFieldArray::InsertField(int i) {
  if (Count_ >= kMaxFieldCount) RaiseTooManyFields();
  const std::size_t at = FieldOffset(std::max(i, 0));
  std::unique_ptr<char[]> block = Spliced(at, 0, 2);
  PutLength(block.get() + at, 0);
  Install(std::move(block), Count_ + 1);
}

void TFieldArray::DeleteField(int i) {
  if (i < 0 || i >= Count_) return;
  const std::size_t at = FieldOffset(i);
  Install(Spliced(at, 2 + LengthAt(Data_ + at), 0), Count_ - 1);
}

void TFieldArray::MoveField(int from, int to) {
  if (from < 0 || from >= Count_) return;
  to = std::clamp(to, 0, Count_ - 1);
  if (to == from) return;
  // The block keeps its size, so the field's bytes only rotate past their neighbours'.
  char* data = Data_;
  const std::size_t fromAt = FieldOffset(from);
  const std::size_t fromEnd = fromAt + 2 + LengthAt(data + fromAt);
  if (from < to) {
    std::rotate(data + fromAt, data + fromEnd, data + FieldOffset(to + 1));
  } else {
    std::rotate(data + FieldOffset(to), data + fromAt, data + fromEnd);
  }
}

void TFieldArray::WriteBinary(std::string& out) const {
  const std::size_t size = DataSize();
  AppendInt32(out, static_cast<std::int32_t>(size));
  out.append(Data_, size);
}

TFieldArray TFieldArray::ReadBinary(TByteReader& in, int count) {
  const std::int32_t size = in.ReadInt32();
  if (size < 0 || static_cast<std::size_t>(size) > kMaxDataSize || count < 0 ||
      count > kMaxFieldCount) {
    RaiseStreamReadError();
  }
  const std::string_view block = in.ReadBytes(static_cast<std::size_t>(size));
  // Every later walk trusts the prefixes, so they must lead exactly to the block's end.
  std::size_t offset = 0;
  for (int k = 0; k < count; ++k) {
    if (block.size() - offset < 2) RaiseStreamReadError();
    offset += 2 + LengthAt(block.data() + offset);
    if (offset > block.size()) RaiseStreamReadError();
  }
  if (offset != block.size()) RaiseStreamReadError();
  return TFieldArray(CopyOf(block), count);
}

TFieldArray TFieldArray::ReadLegacy(TByteReader& in) {
  const std::int32_t size = in.ReadInt32();
  if (size < 0 || static_cast<std::size_t>(size) > kMaxDataSize) RaiseStreamReadError();
  std::string_view text = in.ReadBytes(static_cast<std::size_t>(size));
  if (text.empty()) return {};
  // A separator at the very end closes the last field instead of opening another.
  if (text.back() == kLegacySeparator) text.remove_suffix(1);

  const auto count =
      static_cast<std::size_t>(std::count(text.begin(), text.end(), kLegacySeparator)) + 1;
  if (count > kMaxFieldCount) RaiseStreamReadError();
  // Each separator becomes a prefix, and the first field needs one more.
  std::unique_ptr<char[]> block = NewBlock(text.size() + count + 1);
  char* write = block.get();
  for (std::size_t start = 0;;) {
    std::size_t stop = std::min(text.find(kLegacySeparator, start), text.size());
    const std::size_t length = stop - start;
    if (length > kMaxFieldLength) RaiseStreamReadError();
    PutLength(write, length);
    if (length > 0) std::memcpy(write + 2, text.data() + start, length);
    write += 2 + length;
    if (stop == text.size()) break;
    start = stop + 1;
  }
  return TFieldArray(std::move(block), static_cast<int>(count));
}

TFieldArray TFieldArray::ParseCsvLine(std::string_view text, std::size_t& pos, char separator) {
  TCsvLineReader reader(separator);
  const std::string_view block = reader.Read(text, pos);
  return Copied(block, reader.FieldCount());
}

void TFieldArray::AppendCsvLine(std::string& out, char separator, bool quoteAll) const {
  std::array<TCsvQuoting, kMaxFieldCount> quoting;
  const char* const data = Data_;

  // First the exact size, so that the line is added with one resize.
  std::size_t size = 2 + (Count_ > 0 ? Count_ - 1 : 0);
  std::size_t offset = 0;
  for (int i = 0; i < Count_; ++i) {
    const std::string_view field(data + offset + 2, LengthAt(data + offset));
    quoting[i] = CsvQuoting(field, separator, quoteAll);
    size += quoting[i].WrittenSize(field.size());
    offset += 2 + field.size();
  }

  const std::size_t start = out.size();
  out.resize(start + size);
  char* write = out.data() + start;
  const auto put = [&write](std::string_view piece) {
    std::memcpy(write, piece.data(), piece.size());
    write += piece.size();
  };
  offset = 0;
  for (int i = 0; i < Count_; ++i) {
    const std::string_view field(data + offset + 2, LengthAt(data + offset));
    PutCsvField(field, quoting[i], put);
    if (i + 1 < Count_) *write++ = separator;
    offset += 2 + field.size();
  }
  *write++ = '\r';
  *write = '\n';
}

}  // namespace mervanta
