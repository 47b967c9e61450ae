#include "support/links.h"

#include <string>

#include "support/file_names.h"
#include "support/locale.h"

namespace mervanta {

namespace {

bool IsEmailChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' || c == '_';
}

bool AllEmailChars(std::string_view part) {
  for (char c : part) {
    if (!IsEmailChar(c)) return false;
  }
  return true;
}

bool IsWordSeparator(char c) {
  return static_cast<unsigned char>(c) < 34 || c == '(' || c == ')' || c == ',' || c == ';' ||
         c == '<' || c == '>';
}

// The cheap test that spares most texts the lowercase copy and the word scan. `lower` is the
// locale's table, so the answer is the one the lowercased text would give.
bool MayHoldLinks(std::string_view text, TLinkKinds kinds,
                  const std::array<unsigned char, 256>& lower) {
  auto at = [&](std::size_t i) {
    return static_cast<char>(lower[static_cast<unsigned char>(text[i])]);
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = at(i);
    if (kinds.Urls && (c == ':' || (c == 'w' && i + 4 <= text.size() && at(i + 1) == 'w' &&
                                    at(i + 2) == 'w' && at(i + 3) == '.'))) {
      return true;
    }
    if (kinds.Emails && c == '@' && i > 0) return true;
  }
  return false;
}

}  // namespace

bool IsURL(std::string_view word) {
  if (word.size() > 5 && word.starts_with("www.")) return true;
  for (std::string_view scheme : kUrlSchemes) {
    if (word.size() > scheme.size() + 3 && word.starts_with(scheme) && word[scheme.size()] == ':') {
      const char first = word[scheme.size() + 1], second = word[scheme.size() + 2];
      if ((first == '/' || first == '\\') && (second == '/' || second == '\\')) return true;
    }
  }
  return false;
}

bool IsEmail(std::string_view word) {
  if (word.size() <= 5) return false;
  const std::size_t at = word.find('@');
  if (at == std::string_view::npos || at == 0) return false;
  const std::string_view name = word.substr(0, at), host = word.substr(at + 1);
  return host.find('.', 1) != std::string_view::npos && AllEmailChars(name) && AllEmailChars(host);
}

std::vector<TLinkRange> FindLinks(std::string_view text, TLinkKinds kinds,
                                  std::string_view folder) {
  std::vector<TLinkRange> links;
  if (text.empty()) return links;
  if (kinds.Files && FileOrFolderExists(FullPath(AnsiToUtf8(text), folder))) {
    links.push_back({1, static_cast<std::int32_t>(text.size())});
    return links;
  }
  const TCodePage& ansi = TLocale::Current().Ansi();
  if (!MayHoldLinks(text, kinds, ansi.LowerTable())) return links;
  const std::string lower = AnsiLowerCase(text);
  std::size_t pos = 0;
  while (pos < lower.size()) {
    while (pos < lower.size() && IsWordSeparator(lower[pos])) ++pos;
    std::size_t end = pos;
    while (end < lower.size() && !IsWordSeparator(lower[end])) ++end;
    const std::string_view word = std::string_view(lower).substr(pos, end - pos);
    if (!word.empty() && ((kinds.Urls && IsURL(word)) || (kinds.Emails && IsEmail(word)))) {
      links.push_back({static_cast<std::int32_t>(pos + 1), static_cast<std::int32_t>(word.size())});
    }
    pos = end;
  }
  return links;
}

}  // namespace mervanta
