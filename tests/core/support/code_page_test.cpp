#include "support/code_page.h"

#include <gtest/gtest.h>

#include "support/errors.h"
#include "support/locale.h"
#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

TEST(CodePage, EveryByteSurvivesTheRoundTripThroughUtf8) {
  for (int number :
       {1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 720, 737, 775, 850, 852, 857, 862, 866}) {
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

TEST(CodePage, WhatItCannotShowBecomesAQuestionMark) {
  TCodePage page(1252);
  EXPECT_EQ(page.FromUtf8("a\xD0\x90z"), "a?z");      // Cyrillic A
  EXPECT_EQ(page.FromUtf8("a\xFF\xC3z"), "a??z");     // malformed bytes
  EXPECT_EQ(page.FromUtf8("\xF0\x9F\x98\x80"), "?");  // outside the basic plane
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
