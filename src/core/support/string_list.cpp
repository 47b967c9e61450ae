#include "support/string_list.h"

#include "support/trim.h"

namespace mervanta {

namespace {

bool NeedsQuotes(std::string_view item) {
  if (item.empty()) return true;
  for (char c : item) {
    if (IsBlankOrControl(c) || c == ',' || c == '"') return true;
  }
  return false;
}

}  // namespace

std::string ListToText(const TStringList& list) {
  std::string text;
  for (const std::string& item : list) {
    text += item;
    text += "\r\n";
  }
  return text;
}

TStringList TextToList(std::string_view text) {
  TStringList list;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      list.emplace_back(text.substr(start));
      break;
    }
    list.emplace_back(text.substr(start, end - start));
    start = end + 1;
    if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
  }
  return list;
}

std::string ListToCommaText(const TStringList& list) {
  std::string text;
  for (std::size_t i = 0; i < list.size(); ++i) {
    if (i > 0) text += ',';
    const std::string& item = list[i];
    if (!NeedsQuotes(item)) {
      text += item;
      continue;
    }
    text += '"';
    for (char c : item) {
      if (c == '"') text += '"';
      text += c;
    }
    text += '"';
  }
  return text;
}

TStringList CommaTextToList(std::string_view text) {
  TStringList list;
  std::size_t pos = 0;
  auto skipBlanks = [&] {
    while (pos < text.size() && IsBlankOrControl(text[pos])) ++pos;
  };
  skipBlanks();
  while (pos < text.size()) {
    std::string item;
    if (text[pos] == '"') {
      ++pos;
      while (pos < text.size()) {
        if (text[pos] == '"') {
          if (pos + 1 < text.size() && text[pos + 1] == '"') {
            item += '"';
            pos += 2;
            continue;
          }
          ++pos;
          break;
        }
        item += text[pos++];
      }
    } else {
      while (pos < text.size() && !IsBlankOrControl(text[pos]) && text[pos] != ',') {
        item += text[pos++];
      }
    }
    list.push_back(std::move(item));
    skipBlanks();
    if (pos < text.size() && text[pos] == ',') {
      ++pos;
      skipBlanks();
      // A comma at the very end still separates an empty last item.
      if (pos == text.size()) list.emplace_back();
    }
  }
  return list;
}

std::string LineOfText(std::string_view text, int index) {
  if (index < 0) return {};
  std::size_t start = 0;
  for (int line = 0; line < index; ++line) {
    std::size_t end = text.find("\r\n", start);
    if (end == std::string_view::npos) return {};
    start = end + 2;
  }
  std::size_t end = text.find("\r\n", start);
  return std::string(text.substr(start, end == std::string_view::npos ? end : end - start));
}

}  // namespace mervanta
