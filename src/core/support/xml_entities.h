#pragma once

#include <string>
#include <string_view>

namespace mervanta {

// Attribute text: "<", ">", "&", quotes and the bytes 1 to 31 as entities; NUL is left out;
// other bytes as is.
std::string EncodeEntities(std::string_view text);
void AppendEncodedEntities(std::string& out, std::string_view text);

// "<br>" becomes a line break; "&#N;" (1 to 255), "&quot;", "&apos;", "&pos;", "&lt;",
// "&gt;" and "&amp;" are decoded once, left to right; anything else stays as it is.
std::string DecodeEntities(std::string_view text);

}  // namespace mervanta
