#include "support/code_page.h"

#include <iconv.h>
#include <locale.h>
#include <wctype.h>

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <iterator>
#include <string>

#include "support/errors.h"

namespace mervanta {

namespace {

// glibc has no converter for the Arabic OEM code page, so its upper half is kept here.
constexpr char32_t kCodePage720High[128] = {
    0x0080, 0x0081, 0x00E9, 0x00E2, 0x0084, 0x00E0, 0x0086, 0x00E7, 0x00EA, 0x00EB, 0x00E8, 0x00EF,
    0x00EE, 0x008D, 0x008E, 0x008F, 0x0090, 0x0651, 0x0652, 0x00F4, 0x00A4, 0x0640, 0x00FB, 0x00F9,
    0x0621, 0x0622, 0x0623, 0x0624, 0x00A3, 0x0625, 0x0626, 0x0627, 0x0628, 0x0629, 0x062A, 0x062B,
    0x062C, 0x062D, 0x062E, 0x062F, 0x0630, 0x0631, 0x0632, 0x0633, 0x0634, 0x0635, 0x00AB, 0x00BB,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0x2561, 0x2562, 0x2556, 0x2555, 0x2563, 0x2551, 0x2557,
    0x255D, 0x255C, 0x255B, 0x2510, 0x2514, 0x2534, 0x252C, 0x251C, 0x2500, 0x253C, 0x255E, 0x255F,
    0x255A, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256C, 0x2567, 0x2568, 0x2564, 0x2565, 0x2559,
    0x2558, 0x2552, 0x2553, 0x256B, 0x256A, 0x2518, 0x250C, 0x2588, 0x2584, 0x258C, 0x2590, 0x2580,
    0x0636, 0x0637, 0x0638, 0x0639, 0x063A, 0x0641, 0x00B5, 0x0642, 0x0643, 0x0644, 0x0645, 0x0646,
    0x0647, 0x0648, 0x0649, 0x064A, 0x2261, 0x064B, 0x064C, 0x064D, 0x064E, 0x064F, 0x0650, 0x2248,
    0x00B0, 0x2219, 0x00B7, 0x221A, 0x207F, 0x00B2, 0x25A0, 0x00A0};

std::string IconvName(int number) {
  return "CP" + std::to_string(number);
}

constexpr char32_t kUndefined = 0xFFFFFFFF;

// Bytes the code page leaves undefined keep the code point of their own number, or a private
// one when that code point belongs to another byte, so that every byte string round-trips.
void FillUndefined(std::array<char32_t, 256>& table) {
  for (int b = 0; b < 256; ++b) {
    if (table[b] != kUndefined) continue;
    const char32_t same = static_cast<char32_t>(b);
    bool taken = std::find(table.begin(), table.end(), same) != table.end();
    table[b] = taken ? 0xF000 + same : same;
  }
}

// Returns false when iconv does not know the code page.
bool FillFromIconv(int number, std::array<char32_t, 256>& table) {
  iconv_t cd = iconv_open("UTF-32LE", IconvName(number).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  for (int b = 0; b < 256; ++b) {
    char in = static_cast<char>(b);
    unsigned char out[8] = {};
    char* inPtr = &in;
    char* outPtr = reinterpret_cast<char*>(out);
    std::size_t inLeft = 1, outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    // A letter that a following mark could combine with is held back until the flush.
    if (rc != static_cast<std::size_t>(-1)) rc = iconv(cd, nullptr, nullptr, &outPtr, &outLeft);
    if (rc == static_cast<std::size_t>(-1) || outLeft != 4) {
      table[b] = kUndefined;
    } else {
      table[b] = static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) | (out[3] << 24));
    }
  }
  iconv_close(cd);
  return true;
}

bool FillTable(int number, std::array<char32_t, 256>& table) {
  if (number == 720) {
    for (int b = 0; b < 128; ++b) table[b] = static_cast<char32_t>(b);
    for (int b = 128; b < 256; ++b) table[b] = kCodePage720High[b - 128];
    return true;
  }
  return FillFromIconv(number, table);
}

// DecodeUtf8 steps over a malformed byte with U+FFFD, which as a character takes three.
bool Malformed(char32_t c, std::size_t start, std::size_t pos) {
  return c == 0xFFFD && pos - start == 1;
}

// "0x0F", "U+043F": the code in upper-case hexadecimal, at least `digits` long.
std::string HexCode(std::uint32_t code, std::size_t digits, std::string_view prefix) {
  char hex[8];
  const char* const end = std::to_chars(std::begin(hex), std::end(hex), code, 16).ptr;
  const auto length = static_cast<std::size_t>(end - hex);
  std::string text(prefix);
  text.append(length < digits ? digits - length : 0, '0');
  for (const char* p = hex; p != end; ++p) text += *p >= 'a' ? static_cast<char>(*p - 32) : *p;
  return text;
}

// "п" (U+043F); a control character by its code only, since a terminal would act on it.
std::string CharacterName(char32_t c) {
  const std::string code = HexCode(c, 4, "U+");
  if (c < 0x20 || (c >= 0x7F && c < 0xA0)) return code;
  std::string quoted = "\"";
  AppendUtf8(quoted, c);
  return quoted + "\" (" + code + ")";
}

locale_t UnicodeCaseLocale() {
  static locale_t locale = newlocale(LC_CTYPE_MASK, "C.UTF-8", nullptr);
  return locale;
}

}  // namespace

bool TCodePage::IsSupported(int number) {
  if (number == 720) return true;
  if (number <= 0) return false;
  iconv_t cd = iconv_open("UTF-32LE", IconvName(number).c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  iconv_close(cd);
  return true;
}

TCodePage::TCodePage(int number) : Number_(number) {
  if (!FillTable(number, ToUnicode_)) {
    throw EMervantaError("Code page " + std::to_string(number) + " is not supported");
  }
  for (int b = 0; b < 256; ++b) Defined_[static_cast<std::size_t>(b)] = ToUnicode_[b] != kUndefined;
  FillUndefined(ToUnicode_);
  FromUnicode_.reserve(256);
  for (int b = 0; b < 256; ++b) {
    FromUnicode_.emplace_back(ToUnicode_[b], static_cast<unsigned char>(b));
  }
  // Several bytes may share a code point; the lowest byte wins.
  std::stable_sort(FromUnicode_.begin(), FromUnicode_.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  FromUnicode_.erase(std::unique(FromUnicode_.begin(), FromUnicode_.end(),
                                 [](const auto& a, const auto& b) { return a.first == b.first; }),
                     FromUnicode_.end());

  locale_t locale = UnicodeCaseLocale();
  for (int b = 0; b < 256; ++b) {
    auto byte = static_cast<unsigned char>(b);
    Upper_[b] = byte;
    Lower_[b] = byte;
    // An undefined byte is no letter, and no letter's case is one.
    if (!IsDefined(byte)) continue;
    char32_t c = ToUnicode_[b];
    if (locale == nullptr) {
      if (b >= 'a' && b <= 'z') Upper_[b] = static_cast<unsigned char>(b - 32);
      if (b >= 'A' && b <= 'Z') Lower_[b] = static_cast<unsigned char>(b + 32);
      continue;
    }
    unsigned char mapped;
    if (FromUnicode(static_cast<char32_t>(towupper_l(static_cast<wint_t>(c), locale)), mapped) &&
        IsDefined(mapped)) {
      Upper_[b] = mapped;
    }
    if (FromUnicode(static_cast<char32_t>(towlower_l(static_cast<wint_t>(c), locale)), mapped) &&
        IsDefined(mapped)) {
      Lower_[b] = mapped;
    }
  }
}

bool TCodePage::FromUnicode(char32_t codePoint, unsigned char& byte) const {
  auto it = std::lower_bound(FromUnicode_.begin(), FromUnicode_.end(), codePoint,
                             [](const auto& entry, char32_t cp) { return entry.first < cp; });
  if (it == FromUnicode_.end() || it->first != codePoint) return false;
  byte = it->second;
  return true;
}

void AppendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

char32_t DecodeUtf8(std::string_view text, std::size_t& pos) {
  auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra = lead >= 0xF5 ? -1 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
  if (extra < 0 || pos + extra >= text.size()) {
    ++pos;
    return 0xFFFD;
  }
  char32_t c = lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    auto next = static_cast<unsigned char>(text[pos + i]);
    if ((next & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    c = (c << 6) | (next & 0x3F);
  }
  static constexpr char32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
  if (c < kMinimum[extra] || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
    ++pos;
    return 0xFFFD;
  }
  pos += extra + 1;
  return c;
}

std::string TCodePage::ToUtf8(std::string_view bytes) const {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) AppendUtf8(out, ToUnicode_[static_cast<unsigned char>(ch)]);
  return out;
}

std::string TCodePage::FromUtf8(std::string_view utf8) const {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    const char32_t c = DecodeUtf8(utf8, pos);
    if (Malformed(c, start, pos)) {
      throw EMervantaError("The text is not valid UTF-8 (byte " +
                           HexCode(static_cast<unsigned char>(utf8[start]), 2, "0x") +
                           " at position " + std::to_string(start + 1) + ")");
    }
    unsigned char byte;
    if (!FromUnicode(c, byte)) {
      throw EMervantaError("The character " + CharacterName(c) + " cannot be stored in code page " +
                           std::to_string(Number_));
    }
    out += static_cast<char>(byte);
  }
  return out;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    if (Malformed(DecodeUtf8(text, pos), start, pos)) return false;
  }
  return true;
}

}  // namespace mervanta
