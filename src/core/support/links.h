#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace mervanta {

// Where a link stands in a text: 1-based start and length, in bytes.
struct TLinkRange {
  std::int32_t Start;
  std::int32_t Length;

  bool operator==(const TLinkRange&) const = default;
};

// The schemes a web link may begin with, in the order they are tried.
inline constexpr std::array<std::string_view, 10> kUrlSchemes = {
    "http", "https", "ftp", "file", "news", "nntp", "gopher", "telnet", "wais", "url"};

// "www.x" or a scheme followed by ":" and two slashes (either way) and something more;
// expects lowercase text.
bool IsURL(std::string_view word);
// name@host.domain made of lowercase letters, digits, "-", "." and "_".
bool IsEmail(std::string_view word);

// What a cell's links are.
struct TLinkKinds {
  bool Urls = false;
  bool Emails = false;
  // A text naming an existing file or folder is one link as a whole.
  bool Files = false;
};

// The web links and e-mail addresses among the words of a text, in order, or the text as a
// file's link; a relative file name starts from `folder` (the table's).
std::vector<TLinkRange> FindLinks(std::string_view text, TLinkKinds kinds, std::string_view folder);

}  // namespace mervanta
