#include "model/csv_line_reader.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "model/byte_reader.h"
#include "model/field_array.h"

namespace mervanta {

namespace {

constexpr std::size_t kMaxFieldLength = TFieldArray::kMaxFieldLength;
constexpr int kMaxFieldCount = TFieldArray::kMaxFieldCount;

constexpr std::uint64_t kLowBits = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;
static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");

constexpr std::uint64_t EveryByte(char c) {
  return kLowBits * static_cast<unsigned char>(c);
}

// The high bit of the first zero byte of a word, and perhaps of later bytes.
constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
  return (word - kLowBits) & ~word & kHighBits;
}

// Builds the packed block of a line's fields.
class TBlockSink {
 public:
  explicit TBlockSink(std::string& block) : Block_(block) { Reserve(0); }

  void Append(const char* from, std::size_t length) {
    if (length > kMaxFieldLength - (Write_ - Prefix_ - 2)) RaiseStreamReadError();
    Reserve(length);
    if (length > 0) std::memcpy(Block_.data() + Write_, from, length);
    Write_ += length;
  }
  void EndField() {
    if (Count_ >= kMaxFieldCount) RaiseStreamReadError();
    const std::size_t length = Write_ - Prefix_ - 2;
    Block_[Prefix_] = static_cast<char>(length & 0xFF);
    Block_[Prefix_ + 1] = static_cast<char>(length >> 8);
    ++Count_;
  }
  void NextField() {
    EndField();
    Prefix_ = Write_;
    Reserve(2);
    Write_ += 2;
  }

  std::string_view Block() const { return {Block_.data(), Write_}; }
  int Count() const { return Count_; }

 private:
  void Reserve(std::size_t bytes) {
    if (Write_ + bytes > Block_.size()) Block_.resize(std::max(Write_ + bytes, 2 * Block_.size()));
  }

  std::string& Block_;
  std::size_t Prefix_ = 0;
  std::size_t Write_ = 2;
  int Count_ = 0;
};

// Measures a line's fields with the same limits, copying nothing.
class TCountSink {
 public:
  void Append(const char*, std::size_t length) {
    if (length > kMaxFieldLength - Length_) RaiseStreamReadError();
    Length_ += length;
  }
  void EndField() {
    if (Count_ >= kMaxFieldCount) RaiseStreamReadError();
    ++Count_;
  }
  void NextField() {
    EndField();
    Length_ = 0;
  }

  int Count() const { return Count_; }

 private:
  std::size_t Length_ = 0;
  int Count_ = 0;
};

}  // namespace

TCsvLineReader::TCsvLineReader(char separator) : SeparatorBytes_(EveryByte(separator)) {}

std::size_t TCsvLineReader::PlainRun(const char* bytes, std::size_t size) const {
  // Eight bytes at a time: fields are mostly runs of plain text of a few words.
  std::size_t run = 0;
  for (; run + 8 <= size; run += 8) {
    std::uint64_t word;
    std::memcpy(&word, bytes + run, 8);
    const std::uint64_t stops =
        ZeroBytes(word ^ SeparatorBytes_) | ZeroBytes(word ^ EveryByte('"')) |
        ZeroBytes(word ^ EveryByte('\r')) | ZeroBytes(word ^ EveryByte('\n'));
    if (stops != 0) return run + static_cast<std::size_t>(std::countr_zero(stops)) / 8;
  }
  const auto separator = static_cast<char>(SeparatorBytes_);
  for (; run < size; ++run) {
    const char c = bytes[run];
    if (c == separator || c == '"' || c == '\r' || c == '\n') break;
  }
  return run;
}

template <class TSink>
void TCsvLineReader::Scan(std::string_view text, std::size_t& pos, TSink& sink) const {
  const char* bytes = text.data();
  const std::size_t end = text.size();
  std::size_t p = pos;
  bool quoted = false;
  while (p < end) {
    if (quoted) {
      const void* quote = std::memchr(bytes + p, '"', end - p);
      const std::size_t stop = quote ? static_cast<const char*>(quote) - bytes : end;
      sink.Append(bytes + p, stop - p);
      p = stop;
      if (p == end) break;
      if (p + 1 < end && bytes[p + 1] == '"') {
        sink.Append(bytes + p, 1);
        p += 2;
      } else {
        quoted = false;
        ++p;
      }
      continue;
    }
    const std::size_t stop = p + PlainRun(bytes + p, end - p);
    sink.Append(bytes + p, stop - p);
    p = stop;
    if (p == end || bytes[p] == '\r' || bytes[p] == '\n') break;
    if (bytes[p] == '"') {
      quoted = true;
    } else {
      sink.NextField();
    }
    ++p;
  }
  sink.EndField();
  pos = p;
}

std::string_view TCsvLineReader::Read(std::string_view text, std::size_t& pos) {
  TBlockSink sink(Block_);
  Scan(text, pos, sink);
  FieldCount_ = sink.Count();
  return sink.Block();
}

int TCsvLineReader::CountFields(std::string_view text, std::size_t& pos) const {
  TCountSink sink;
  Scan(text, pos, sink);
  return sink.Count();
}

}  // namespace mervanta
