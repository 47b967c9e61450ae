#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace mervanta {

// The one failure of every reader of a data file's bytes: "Stream read error".
[[noreturn]] void RaiseStreamReadError();

// A cursor over bytes already in memory. A read past the end raises "Stream read error", so
// a reader of hostile bytes only has to check what it reads, never how much is left.
class TByteReader {
 public:
  explicit TByteReader(std::string_view bytes) : Bytes_(bytes) {}

  std::size_t Position() const { return Position_; }
  std::size_t Remaining() const { return Bytes_.size() - Position_; }
  bool AtEnd() const { return Position_ == Bytes_.size(); }

  // A view of the next `count` bytes, which stay where they are.
  std::string_view ReadBytes(std::size_t count);
  std::uint16_t ReadUInt16();  // little-endian
  std::int32_t ReadInt32();    // little-endian

 private:
  std::string_view Bytes_;
  std::size_t Position_ = 0;
};

// Little-endian integers at the end of a buffer.
void AppendUInt16(std::string& out, std::uint16_t value);
void AppendInt32(std::string& out, std::int32_t value);

}  // namespace mervanta
