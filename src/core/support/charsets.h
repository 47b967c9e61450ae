#pragma once

#include <string>
#include <string_view>

namespace mervanta {

// Font character-set identifiers as stored in settings and description files.
constexpr int kAnsiCharset = 0;
constexpr int kDefaultCharset = 1;
constexpr int kOemCharset = 255;

// "DEFAULT_CHARSET" and the like; empty when the set has no name.
std::string CharsetName(int charset);
// The identifier of a name, or false for an unknown name.
bool TryCharsetFromName(std::string_view name, int& charset);
// The ANSI code page the desktop associates with a character set.
bool CodePageOfCharset(int charset, int& codePage);

}  // namespace mervanta
