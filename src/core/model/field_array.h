#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace mervanta {

class TByteReader;

// The cells of one record in a single block: each field is its length as two little-endian
// bytes followed by its text, with nothing in between and nothing after. The block is always
// exactly as long as its fields (every change that resizes reallocates it) and is absent while
// there are no fields. A loaded record's block lies in its list's arena; any change that
// resizes it moves it to the heap. Positions are 0-based.
class TFieldArray {
 public:
  static constexpr std::size_t kMaxFieldLength = 65535;
  static constexpr int kMaxFieldCount = 256;
  static constexpr std::size_t kMaxDataSize = kMaxFieldCount * (2 + kMaxFieldLength);

  TFieldArray() = default;
  // `count` empty fields.
  explicit TFieldArray(int count);
  // The `count` fields of a packed block, copied.
  static TFieldArray Copied(std::string_view block, int count);
  // The `count` fields of `block`, a block of a TBlockArena, which the array gives back there.
  static TFieldArray InArena(char* block, int count) {
    TFieldArray fields;
    fields.Data_ = block;
    fields.Count_ = static_cast<std::int16_t>(count);
    fields.InArena_ = true;
    return fields;
  }
  ~TFieldArray() { FreeData(); }
  TFieldArray(const TFieldArray& other);
  TFieldArray& operator=(const TFieldArray& other);
  // A moved-from array is empty.
  TFieldArray(TFieldArray&& other) noexcept
      : Data_(std::exchange(other.Data_, nullptr)),
        Count_(std::exchange(other.Count_, 0)),
        InArena_(std::exchange(other.InArena_, false)) {}
  TFieldArray& operator=(TFieldArray&& other) noexcept {
    if (this != &other) {
      FreeData();
      Data_ = std::exchange(other.Data_, nullptr);
      Count_ = std::exchange(other.Count_, 0);
      InArena_ = std::exchange(other.InArena_, false);
    }
    return *this;
  }

  int Count() const { return Count_; }
  const char* Data() const { return Data_; }
  std::size_t DataSize() const { return FieldOffset(Count_); }
  // Where field i's length prefix starts; 0 for i < 1, the block's size for i >= Count.
  std::size_t FieldOffset(int i) const;

  // Empty beyond Count (and below 0). The view lasts until the next change of the array.
  std::string_view Field(int i) const;

  // Reads several fields of an array in one walk over its block while their positions
  // ascend; a lower position walks again from the start. Field answers as the array's.
  class TCursor {
   public:
    explicit TCursor(const TFieldArray& fields) : Data_(fields.Data()), Count_(fields.Count()) {}
    std::string_view Field(int i) {
      if (i < 0 || i >= Count_) return {};
      if (i < Index_) {
        Offset_ = 0;
        Index_ = 0;
      }
      for (; Index_ < i; ++Index_) Offset_ += 2 + LengthAt(Data_ + Offset_);
      return {Data_ + Offset_ + 2, LengthAt(Data_ + Offset_)};
    }

   private:
    const char* Data_;
    int Count_;
    std::size_t Offset_ = 0;  // of field Index_'s length prefix
    int Index_ = 0;
  };
  // Fields up to i are added when missing. Raises for a text longer than kMaxFieldLength
  // and for a position beyond the last possible field.
  void SetField(int i, std::string_view text);
  // These raise "Too many columns (256 max)" rather than grow past kMaxFieldCount.
  void AppendFields(int count);
  void InsertField(int i);  // i >= Count appends
  // Out of range does nothing.
  void DeleteField(int i);
  // Takes field `from` out and puts it at `to` (counted after the removal; beyond the end
  // means last). Does nothing when `from` is out of range.
  void MoveField(int from, int to);

  // The binary form: the block's size as a 32-bit little-endian integer, then the block.
  void WriteBinary(std::string& out) const;
  // Reads the binary form of `count` fields, which must fill the block exactly.
  static TFieldArray ReadBinary(TByteReader& in, int count);
  // Reads the old binary form: a 32-bit length, then the fields' texts separated by 0x01.
  static TFieldArray ReadLegacy(TByteReader& in);

  // Parses one data file line starting at `pos` as TCsvLineReader does, into a block of its
  // own; `pos` is left on the line break or at the end.
  static TFieldArray ParseCsvLine(std::string_view text, std::size_t& pos, char separator);
  // Appends the fields as one line ending in CR LF, in a single resize of `out`. A field is
  // quoted when `quoteAll` is set or when it needs it to read back the same.
  void AppendCsvLine(std::string& out, char separator, bool quoteAll) const;

 private:
  static std::size_t LengthAt(const char* prefix) {
    return static_cast<unsigned char>(prefix[0]) |
           static_cast<std::size_t>(static_cast<unsigned char>(prefix[1])) << 8;
  }

  TFieldArray(std::unique_ptr<char[]> data, int count)
      : Data_(data.release()), Count_(static_cast<std::int16_t>(count)) {}

  // A new block holding this one with `removed` bytes at `at` replaced by `inserted` bytes
  // that the caller fills; this block stays as it is until the caller installs the new one.
  std::unique_ptr<char[]> Spliced(std::size_t at, std::size_t removed, std::size_t inserted) const;
  void Install(std::unique_ptr<char[]> data, int count);
  void FreeData() noexcept;

  char* Data_ = nullptr;
  std::int16_t Count_ = 0;
  bool InArena_ = false;
};

}  // namespace mervanta
