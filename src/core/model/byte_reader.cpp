#include "model/byte_reader.h"

#include "support/errors.h"

namespace mervanta {

void RaiseStreamReadError() {
  throw EMervantaError("Stream read error");
}

std::string_view TByteReader::ReadBytes(std::size_t count) {
  if (count > Remaining()) RaiseStreamReadError();
  std::string_view bytes = Bytes_.substr(Position_, count);
  Position_ += count;
  return bytes;
}

std::uint16_t TByteReader::ReadUInt16() {
  std::string_view bytes = ReadBytes(2);
  return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[0]) |
                                    static_cast<unsigned char>(bytes[1]) << 8);
}

std::int32_t TByteReader::ReadInt32() {
  std::string_view bytes = ReadBytes(4);
  std::uint32_t value = 0;
  for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[i]);
  return static_cast<std::int32_t>(value);
}

void AppendUInt16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void AppendInt32(std::string& out, std::int32_t value) {
  auto bits = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i, bits >>= 8) out += static_cast<char>(bits & 0xFF);
}

}  // namespace mervanta
