#pragma once

#include <string>
#include <string_view>

namespace mervanta {

// True when a file's bytes look like UTF-16: a byte-order mark, or zero bytes filling most
// of the odd (little-endian) or even (big-endian) positions and few of the others.
bool IsUtf16Text(std::string_view bytes);

// Converts UTF-16 bytes (byte-order mark honoured and dropped; otherwise the byte order the
// zero bytes suggest) to the current ANSI code page; what it cannot show becomes "?".
std::string Utf16ToAnsi(std::string_view bytes);

}  // namespace mervanta
