#include "support/code_page.h"

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>

#include "support/errors.h"
#include "support/locale.h"
#include "test_support/pinned_locale.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

TEST(CodePage, EveryByteSurvivesTheRoundTripThroughUtf8) {
  for (int number : {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258, 720, 737, 775, 850, 852,
                     857, 862, 866}) {
    SCOPED_TRACE(number);
    TCodePage page(number);
    std::string all;
    for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(page.FromUtf8(page.ToUtf8(all)), all);
  }
}

TEST(CodePage, MapsNationalLettersBothWays) {
  struct TCase {
    int Page;
    unsigned char Byte;
    const char* Utf8;
  } cases[] = {{1251, 0xC0, "\xD0\x90"},      // Cyrillic A
               {1252, 0xE9, "\xC3\xA9"},      // e acute
               {1252, 0x80, "\xE2\x82\xAC"},  // euro sign
               {866, 0x80, "\xD0\x90"},       // Cyrillic A in the OEM page
               {720, 0x9F, "\xD8\xA7"}};      // Arabic alef
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Page);
    TCodePage page(c.Page);
    EXPECT_EQ(page.ToUtf8(std::string(1, static_cast<char>(c.Byte))), c.Utf8);
    EXPECT_EQ(page.FromUtf8(c.Utf8), std::string(1, static_cast<char>(c.Byte)));
  }
}

std::string Refusal(const TCodePage& page, std::string_view utf8) {
  try {
    return "accepted as \"" + page.FromUtf8(utf8) + "\"";
  } catch (const EMervantaError& error) {
    return error.what();
  }
}

TEST(CodePage, TextThatDoesNotFitExactlyIsRefusedNamingTheFirstFault) {
  struct TCase {
    int Page;
    const char* Utf8;
    const char* Message;
  } cases[] = {
      {1252, "a\xD0\xBF\xD0\xB0",  // "aпа"
       "The character \"\xD0\xBF\" (U+043F) cannot be stored in code page 1252"},
      {1252, "\xF0\x9F\x98\x80",
       "The character \"\xF0\x9F\x98\x80\" (U+1F600) cannot be stored in code page 1252"},
      {1251, "\xD0\xBF\xC3\xA9",
       "The character \"\xC3\xA9\" (U+00E9) cannot be stored in code page 1251"},
      {1252, "\xEF\xBF\xBD",
       "The character \"\xEF\xBF\xBD\" (U+FFFD) cannot be stored in code page 1252"},
      {1252, "\xC2\x80", "The character U+0080 cannot be stored in code page 1252"},
      {1252, "ab\xFF\xD0\xBF", "The text is not valid UTF-8 (byte 0xFF at position 3)"},
      {1251, "\xD0\xBF\xD0", "The text is not valid UTF-8 (byte 0xD0 at position 3)"},
      {1252, "\xC0\xAF", "The text is not valid UTF-8 (byte 0xC0 at position 1)"},
      {1252, "\xED\xA0\x80", "The text is not valid UTF-8 (byte 0xED at position 1)"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Utf8);
    EXPECT_EQ(Refusal(TCodePage(c.Page), c.Utf8), c.Message);
  }
}

TEST(CodePage, CasingFollowsTheLocaleTables) {
  struct TCase {
    int Page;
    unsigned char Lower;
    unsigned char Upper;
  } cases[] = {{1252, 'a', 'A'},   {1252, 0xE9, 0xC9}, {1252, 0xFF, 0x9F},
               {1251, 0xE0, 0xC0}, {1251, 0xB8, 0xA8}, {1250, 0xB9, 0xA5}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Page);
    TCodePage page(c.Page);
    EXPECT_EQ(page.Upper(c.Lower), c.Upper);
    EXPECT_EQ(page.Lower(c.Upper), c.Lower);
  }
  TCodePage western(1252);
  EXPECT_EQ(western.Upper(0xDF), 0xDF) << "sharp s has no single upper-case letter";
  EXPECT_EQ(western.Upper('1'), '1');
}

// One byte of a code page as a source apart from the system's converters has it.
struct TReferenceByte {
  bool Defined = false;
  char32_t CodePoint = 0;
  unsigned char Upper = 0;
  unsigned char Lower = 0;
};
using TReferencePage = std::array<TReferenceByte, 256>;

unsigned Hex(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  EXPECT_TRUE(error == std::errc() && end == text.data() + text.size()) << text;
  return value;
}

// tests/data/support/code_pages.txt by code page.
std::map<int, TReferencePage> ReferencePages() {
  std::ifstream file(test::DataFile("support/code_pages.txt"));
  std::map<int, TReferencePage> pages;
  std::string line;
  while (std::getline(file, line)) {
    if (line.empty() || line[0] == '#') continue;
    std::istringstream fields(line);
    std::string page, byte, codePoint, upper, lower;
    fields >> page >> byte >> codePoint >> upper >> lower;
    TReferenceByte& entry = pages[std::stoi(page)][Hex(byte)];
    entry.Defined = codePoint != "-";
    entry.CodePoint = entry.Defined ? Hex(codePoint) : 0;
    entry.Upper = static_cast<unsigned char>(Hex(upper));
    entry.Lower = static_cast<unsigned char>(Hex(lower));
  }
  return pages;
}

TEST(CodePage, EveryByteAndItsCaseMatchTheReference) {
  const std::map<int, TReferencePage> pages = ReferencePages();
  ASSERT_EQ(pages.size(), 17u) << "every supported code page is in the reference";
  for (const auto& [number, reference] : pages) {
    TCodePage page(number);
    std::set<char32_t> defined;
    for (const TReferenceByte& entry : reference) {
      if (entry.Defined) defined.insert(entry.CodePoint);
    }
    for (int b = 0; b < 256; ++b) {
      SCOPED_TRACE(testing::Message() << "code page " << number << ", byte " << b);
      const auto byte = static_cast<unsigned char>(b);
      const TReferenceByte& entry = reference[byte];
      const std::string bytes(1, static_cast<char>(byte));
      EXPECT_EQ(page.IsDefined(byte), entry.Defined);
      if (entry.Defined) {
        EXPECT_EQ(page.ToUnicode(byte), entry.CodePoint);
      } else {
        EXPECT_FALSE(defined.contains(page.ToUnicode(byte))) << "stands for a character";
      }
      EXPECT_EQ(page.FromUtf8(page.ToUtf8(bytes)), bytes);
      EXPECT_EQ(page.Upper(byte), entry.Upper);
      EXPECT_EQ(page.Lower(byte), entry.Lower);
    }
  }
}

TEST(Locale, AnsiAndOemOfEveryLanguagePairMapAsTheReference) {
  const std::map<int, TReferencePage> pages = ReferencePages();
  const std::pair<int, int> pairs[] = {{1250, 852}, {1251, 866}, {1252, 850}, {1253, 737},
                                       {1254, 857}, {1255, 862}, {1256, 720}, {1257, 775}};
  // What a byte of one page becomes in the other: the byte of the same character, else "?".
  const auto expected = [](const TReferencePage& from, const TReferencePage& to) {
    std::string bytes;
    for (const TReferenceByte& entry : from) {
      char byte = '?';
      for (int b = 0; b < 256; ++b) {
        if (entry.Defined && to[b].Defined && to[b].CodePoint == entry.CodePoint) {
          byte = static_cast<char>(b);
        }
      }
      bytes += byte;
    }
    return bytes;
  };
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  for (const auto& [ansi, oem] : pairs) {
    SCOPED_TRACE(testing::Message() << ansi << " and " << oem);
    TLocaleSettings settings = test::PinnedLocaleSettings();
    settings.AnsiCodePage = ansi;
    settings.OemCodePage = oem;
    test::TScopedLocale locale(settings);
    EXPECT_EQ(AnsiToOem(all), expected(pages.at(ansi), pages.at(oem)));
    EXPECT_EQ(OemToAnsi(all), expected(pages.at(oem), pages.at(ansi)));
  }
}

TEST(CodePage, UnknownCodePageIsRefused) {
  EXPECT_FALSE(TCodePage::IsSupported(4242));
  EXPECT_THROW(TCodePage(4242), EMervantaError);
}

TEST(Locale, ConvertsAnsiAndOemOfTheCurrentLocale) {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.AnsiCodePage = 1251;
  settings.OemCodePage = 866;
  test::TScopedLocale locale(settings);
  const std::string ansi = "\xC0\xE1\xE2 x";  // "Abv" in Cyrillic, then ASCII
  const std::string oem = AnsiToOem(ansi);
  EXPECT_EQ(oem, "\x80\xA1\xA2 x");
  EXPECT_EQ(OemToAnsi(oem), ansi);
  EXPECT_EQ(AnsiUpperCase("\xE0\xE1x"), "\xC0\xC1X");
  EXPECT_EQ(AnsiLowerCase("\xC0\xC1X"), "\xE0\xE1x");
  EXPECT_EQ(AnsiToUtf8("\xC0"), "\xD0\x90");
  EXPECT_EQ(Utf8ToAnsi("\xD0\x90"), "\xC0");
}

}  // namespace
}  // namespace mervanta
