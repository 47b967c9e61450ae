#include "support/utf16.h"

#include <gtest/gtest.h>

#include "test_support/pinned_locale.h"

namespace mervanta {
namespace {

std::string Utf16Le(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>(c >> 8);
  }
  return bytes;
}

std::string Utf16Be(std::u16string_view text) {
  std::string bytes;
  for (char16_t c : text) {
    bytes += static_cast<char>(c >> 8);
    bytes += static_cast<char>(c & 0xFF);
  }
  return bytes;
}

TEST(Utf16, RecognisesMarksAndZeroPatterns) {
  struct TCase {
    const char* Name;
    std::string Bytes;
    bool Utf16;
  } cases[] = {
      {"little-endian mark", "\xFF\xFE", true},
      {"big-endian mark", "\xFE\xFF" + Utf16Be(u"a"), true},
      {"little-endian without mark", Utf16Le(u"Name;City\r\n"), true},
      {"big-endian without mark", Utf16Be(u"Name;City\r\n"), true},
      {"plain text", "Name;City\r\n", false},
      {"empty", "", false},
      {"one byte", "a", false},
      {"zeros everywhere", std::string(64, '\0'), false},
      {"binary with some zeros", std::string("ab\0c\0\0de\0fgh", 12), false},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(IsUtf16Text(c.Bytes), c.Utf16) << c.Name;
  }
}

TEST(Utf16, ConvertsToTheAnsiCodePage) {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.AnsiCodePage = 1251;
  test::TScopedLocale locale(settings);
  EXPECT_EQ(Utf16ToAnsi("\xFF\xFE" + Utf16Le(u"\u0410b")),
            "\xC0"
            "b");
  EXPECT_EQ(Utf16ToAnsi("\xFE\xFF" + Utf16Be(u"\u0410b")),
            "\xC0"
            "b");
  EXPECT_EQ(Utf16ToAnsi(Utf16Le(u"xy\u0411z")), "xy\xC1z");
  EXPECT_EQ(Utf16ToAnsi(Utf16Le(u"a\U0001F600b")), "a?b") << "a surrogate pair is one character";
  EXPECT_EQ(Utf16ToAnsi(Utf16Le(u"ab") + "c"), "ab") << "an odd last byte is dropped";
}

}  // namespace
}  // namespace mervanta
