#include "support/xml_entities.h"

namespace mervanta {

namespace {

// Bytes not written as they are: the markup characters and the controls from 0 to 31.
constexpr bool NeedsEntity(unsigned char c) {
  return c <= 31 || c == '<' || c == '>' || c == '&' || c == '"' || c == '\'';
}

}  // namespace

void AppendEncodedEntities(std::string& out, std::string_view text) {
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!NeedsEntity(c)) continue;
    // Runs of plain bytes are copied whole; exports encode every cell this way.
    out.append(text.data() + plainStart, i - plainStart);
    plainStart = i + 1;
    switch (c) {
      case '<':
        out += "&lt;";
        break;
      case '>':
        out += "&gt;";
        break;
      case '&':
        out += "&amp;";
        break;
      case '"':
        out += "&quot;";
        break;
      case '\'':
        out += "&apos;";
        break;
      case '\0':
        break;  // no entity reads back as NUL, and readers take a raw one for binary
      default:
        out += "&#";
        out += std::to_string(static_cast<int>(c));
        out += ';';
    }
  }
  out.append(text.data() + plainStart, text.size() - plainStart);
}

std::string EncodeEntities(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEncodedEntities(out, text);
  return out;
}

namespace {

// The byte a name between "&" and ";" stands for, or -1.
int DecodeName(std::string_view name) {
  if (name.size() >= 2 && name[0] == '#') {
    int value = 0;
    for (char c : name.substr(1)) {
      if (c < '0' || c > '9') return -1;
      value = value * 10 + (c - '0');
      if (value > 255) return -1;
    }
    return value >= 1 ? value : -1;
  }
  if (name == "quot") return '"';
  if (name == "apos" || name == "pos") return '\'';
  if (name == "lt") return '<';
  if (name == "gt") return '>';
  if (name == "amp") return '&';
  return -1;
}

}  // namespace

std::string DecodeEntities(std::string_view source) {
  std::string text;
  text.reserve(source.size());
  for (std::size_t i = 0; i < source.size();) {
    if (source.compare(i, 4, "<br>") == 0) {
      text += "&#13;&#10;";
      i += 4;
    } else {
      text += source[i++];
    }
  }
  if (text.find('&') == std::string::npos) return text;

  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  std::size_t semicolon = 0;  // the next ";" at or after the scan, found once per stretch
  while (i < text.size()) {
    if (text[i] == '&') {
      if (semicolon != std::string::npos && semicolon <= i) semicolon = text.find(';', i + 1);
      if (semicolon != std::string::npos) {
        int byte = DecodeName(std::string_view(text).substr(i + 1, semicolon - i - 1));
        if (byte >= 0) {
          out += static_cast<char>(byte);
          i = semicolon + 1;
          continue;
        }
      }
    }
    out += text[i++];
  }
  return out;
}

}  // namespace mervanta
