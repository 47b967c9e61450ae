#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <future>
#include <limits>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "support/charsets.h"
#include "support/numbers.h"
#include "test_support/library_number.h"
#include "test_support/pinned_locale.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

TLocaleSettings CommaDecimalLocale() {
  TLocaleSettings settings = test::PinnedLocaleSettings();
  settings.DecimalSeparator = ',';
  settings.ThousandSeparator = '.';
  return settings;
}

TEST(TextNumbers, TryReadNumberAcceptsEitherSeparatorWhateverTheLocale) {
  struct TCase {
    const char* Text;
    bool Valid;
    TNumber Value;
  } cases[] = {
      {"1,5", true, 1.5L},
      {"1.5", true, 1.5L},
      {"-2e3", true, -2000},
      {"+7", true, 7},
      {"0,25E-1", true, 0.025L},
      {".5", true, 0.5L},
      {"-123456789012345678", true, -123456789012345678.0L},
      {"123456789012345678901234", true, 123456789012345678901234.0L},
      {"1234567890123456789012345", false, 0},
      {"1 000", false, 0},
      {"12a", false, 0},
      {"", false, 0},
      {"1,000.5", false, 0},
      {"1.2.3", false, 0},
      {".", false, 0},
      {"-", false, 0},
      {"1e", false, 0},
      {"e5", false, 0},
      {"1-2", false, 0},
      {"1e99999", false, 0},
  };
  for (const TLocaleSettings& settings : {test::PinnedLocaleSettings(), CommaDecimalLocale()}) {
    test::TScopedLocale locale(settings);
    for (const TCase& c : cases) {
      SCOPED_TRACE(std::string(c.Text) + " with decimal separator " + settings.DecimalSeparator);
      TNumber value = -99;
      ASSERT_EQ(TryReadNumber(c.Text, value), c.Valid);
      if (c.Valid) {
        EXPECT_NEAR(value, c.Value, std::abs(c.Value) * 1e-17L);
      } else {
        EXPECT_EQ(value, -99) << "a failed reading leaves the value alone";
      }
    }
  }
}

// Every reading of a number text (the strict one, the blank-tolerant one with either
// separator, and the one with a fixed separator) gives what the C library's correctly rounded
// reading gives, to the last bit. These texts sit where a shortcut would round differently.
TEST(TextNumbers, NumberReadingsGiveTheLibrarysValueToTheLastBit) {
  const char* texts[] = {
      "0",
      "-0",
      "+0,0",
      "-0.0e-5",
      "0e99999",
      "0.1",
      "0,3",
      "2.675",
      "1e-27",
      "1e27",
      "1e28",
      "1e-28",
      "9999999999999999999",     // the most digits below 2^64
      "18446744073709551615",    // 2^64 - 1
      "18446744073709551617",    // halfway between two neighbours, to even
      "9223372036854775809",     // 2^63 + 1
      "123456789012345678,9",    // 19 digits with a fraction
      "9999999999999999999e27",  // exact operands, one rounding of their product
      "9999999999999999999E-27",
      "0.0000000000000000000001",
      "1.00000000000000000001",
      "1e0000000000000000001",  // an exponent too long to count
      "25E-0000000000000000002",
      "-00000000000000000000001.5",
      "1e-4951",  // vanishes to zero
      "1.18973149535723176502e4932",
      "3.36210314311209350626e-4932",
  };
  for (const char* text : texts) {
    SCOPED_TRACE(text);
    TNumber expected = 0;
    ASSERT_TRUE(test::LibraryNumber(text, expected));
    const std::string_view view(text);
    const char separator = view.find(',') != std::string_view::npos ? ',' : '.';
    TNumber strict = -99, tolerant = -99, fixed = -99;
    EXPECT_EQ(TryReadNumber(text, strict), view.size() <= 24);
    ASSERT_TRUE(TryParseNumber(text, tolerant));
    ASSERT_TRUE(TryParseFloat(text, separator, fixed));
    for (TNumber value : {tolerant, fixed, view.size() <= 24 ? strict : expected}) {
      EXPECT_EQ(value, expected);
      EXPECT_EQ(std::signbit(value), std::signbit(expected));
    }
  }
}

// [sign] digits [separator digits] [E [sign] digits], with as many digits as the exact way
// takes and more, and exponents that are exact, inexact, overflow or vanish.
std::string RandomNumberText(std::mt19937_64& random) {
  const auto below = [&random](int bound) { return static_cast<int>(random() % bound); };
  const char* const signs[] = {"", "+", "-"};
  std::string text = signs[below(3)];
  const int integral = below(12);
  const int decimals = integral == 0 ? 1 + below(11) : below(12);
  for (int i = 0; i < integral; ++i) text += static_cast<char>('0' + below(10));
  if (decimals > 0 || below(4) == 0) text += below(2) == 0 ? ',' : '.';
  for (int i = 0; i < decimals; ++i) text += static_cast<char>('0' + below(10));
  if (below(3) == 0) {
    text += below(2) == 0 ? 'E' : 'e';
    text += signs[below(3)];
    text += std::to_string(below(10) == 0 ? 4900 + below(100) : below(40));
  }
  return text;
}

TEST(TextNumbers, NumberReadingsAgreeWithTheLibraryOnRandomTexts) {
  std::mt19937_64 random(20240611);
  for (int i = 0; i < 20000; ++i) {
    const std::string text = RandomNumberText(random);
    SCOPED_TRACE(text);
    TNumber expected = 0;
    const bool valid = test::LibraryNumber(text, expected);
    const char separator = text.find(',') != std::string::npos ? ',' : '.';
    TNumber strict = 0, tolerant = 0, fixed = 0;
    ASSERT_EQ(TryParseNumber(text, tolerant), valid);
    ASSERT_EQ(TryParseFloat(text, separator, fixed), valid);
    ASSERT_EQ(TryReadNumber(text, strict), valid && text.size() <= 24);
    if (!valid) continue;
    for (TNumber value : {tolerant, fixed, text.size() <= 24 ? strict : expected}) {
      ASSERT_EQ(value, expected);
      ASSERT_EQ(std::signbit(value), std::signbit(expected));
    }
  }
}

TEST(TextNumbers, TryParseNumberTakesEitherSeparatorAndBlanksAround) {
  struct TCase {
    const char* Text;
    char LocaleSeparator;
    bool Valid;
    TNumber Value;
  } cases[] = {
      {" 42 ", '.', true, 42},
      {"1,5", '.', true, 1.5L},
      {"1.5", ',', true, 1.5L},
      {"-,5", '.', true, -0.5L},
      {"1,000.5", '.', false, 0},
      {"1.2.3", '.', false, 0},
      {"1\t", '.', false, 0},
      {"", '.', false, 0},
      {"  ", '.', false, 0},
      {"1e5000", '.', false, 0},
      {"1;5", ';', true, 1.5L},  // a locale's own separator, when the
                                 // text has no other
      {"1;5,5", ';', false, 0},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(std::string(c.Text) + " with decimal separator " + c.LocaleSeparator);
    TLocaleSettings settings = test::PinnedLocaleSettings();
    settings.DecimalSeparator = c.LocaleSeparator;
    test::TScopedLocale locale(settings);
    TNumber value = -99;
    ASSERT_EQ(TryParseNumber(c.Text, value), c.Valid);
    EXPECT_EQ(value, c.Valid ? c.Value : -99);
  }
}

// A cell's text has no length limit as a number; only the reading of stored settings has one.
TEST(TextNumbers, CellReadingTakesTextsOfAnyLengthAndSettingsUpTo511Characters) {
  struct TCase {
    std::string Text;
    const char* Reference;  // the same number written short
  } cases[] = {
      {std::string(600, ' ') + "2,5" + std::string(600, ' '), "2.5"},
      {std::string(700, '0') + "1.5", "1.5"},
      {"0," + std::string(700, '0') + "1", "1e-701"},
      {std::string(600, '1'), nullptr},
      {"-" + std::string(512, '9') + "E-400", nullptr},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text.size());
    TNumber expected = 0;
    ASSERT_TRUE(test::LibraryNumber(c.Reference != nullptr ? c.Reference : c.Text, expected));
    TNumber value = 0;
    ASSERT_TRUE(TryParseNumber(c.Text, value));
    EXPECT_EQ(value, expected);
  }
  TNumber value = 0;
  EXPECT_FALSE(TryParseNumber(std::string(600, '1') + "x", value));
  EXPECT_TRUE(TryParseFloat(std::string(511, '1'), '.', value));
  EXPECT_FALSE(TryParseFloat(std::string(512, '1'), '.', value)) << "a stored setting that long";
}

TEST(TextNumbers, NormaliseDecimalTextReplacesOnlyTheLastSeparator) {
  struct TCase {
    const char* Text;
    const char* WithFullStop;
    const char* WithComma;
  } cases[] = {
      {"1,5", "1.5", "1,5"},
      {"1.5", "1.5", "1,5"},
      {"1,000.5", "1,000.5", "1,000,5"},
      {"1.000,5", "1.000.5", "1.000,5"},
      {"12", "12", "12"},
      {"", "", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(NormaliseDecimalText(c.Text), c.WithFullStop);
    test::TScopedLocale locale(CommaDecimalLocale());
    EXPECT_EQ(NormaliseDecimalText(c.Text), c.WithComma);
  }
}

// FormatGeneral as it was written first, all through printf: the reference its quicker
// ways must match to the character.
std::string PrintfFormatGeneral(TNumber value, int precision, char decimalSeparator) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
  if (value == 0) return "0";
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*Le", precision - 1, value);
  std::string_view text(buffer);
  const bool negative = text.front() == '-';
  if (negative) text.remove_prefix(1);
  const std::size_t e = text.find('e');
  const int exponent = std::atoi(std::string(text.substr(e + 1)).c_str());
  std::string digits;
  for (char c : text.substr(0, e)) {
    if (c >= '0' && c <= '9') digits += c;
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
  std::string out = negative ? "-" : "";
  if (exponent >= -5 && exponent < precision) {
    if (exponent < 0) {
      out += "0";
      out += decimalSeparator;
      out.append(static_cast<std::size_t>(-exponent - 1), '0');
      out += digits;
    } else if (const std::size_t whole = static_cast<std::size_t>(exponent) + 1;
               digits.size() <= whole) {
      out += digits;
      out.append(whole - digits.size(), '0');
    } else {
      out += digits.substr(0, whole);
      out += decimalSeparator;
      out += digits.substr(whole);
    }
    return out;
  }
  out += digits[0];
  if (digits.size() > 1) {
    out += decimalSeparator;
    out += digits.substr(1);
  }
  out += exponent < 0 ? "E-" : "E+";
  return out + std::to_string(std::abs(exponent));
}

// Whole numbers of every size, decimals, and numbers of any magnitude.
TNumber RandomNumber(std::mt19937_64& random) {
  const auto below = [&random](int bound) { return static_cast<int>(random() % bound); };
  const TNumber sign = below(2) == 0 ? 1 : -1;
  const auto digits = [&random](int count) {
    return static_cast<TNumber>(random() % static_cast<std::uint64_t>(std::pow(10.0L, count)));
  };
  switch (below(3)) {
    case 0:
      return sign * digits(1 + below(19));
    case 1:
      return sign * digits(1 + below(19)) / std::pow(10.0L, 1 + below(20));
    default:
      return sign * std::ldexp(static_cast<TNumber>(random()), below(400) - 264);
  }
}

TEST(TextNumbers, FormatGeneralWritesWhatPrintfWrites) {
  std::vector<TNumber> values = {0,
                                 -0.0L,
                                 1,
                                 -1,
                                 0.1L,
                                 1.0L / 3,
                                 2.5L,
                                 3.5L,
                                 0.125L,
                                 0.15L,  // decimal ties that the binary value misses by a hair
                                 0.35L,
                                 1.005L,
                                 2.675L,
                                 123.4565L,
                                 1.0000000000000005L,
                                 9.9999999999999995L,
                                 999999999999999.9L,
                                 1e-5L,
                                 9.99999e-6L,
                                 1e15L - 1,
                                 1e15L,
                                 999999999999999.5L,
                                 1e18L - 1,
                                 1e18L,
                                 1e19L,
                                 0x1p63L,
                                 0x1p64L,
                                 std::numeric_limits<TNumber>::max(),
                                 -std::numeric_limits<TNumber>::min(),
                                 std::numeric_limits<TNumber>::denorm_min(),
                                 std::numeric_limits<TNumber>::infinity(),
                                 -std::numeric_limits<TNumber>::infinity(),
                                 std::numeric_limits<TNumber>::quiet_NaN()};
  std::mt19937_64 random(7);
  for (int i = 0; i < 3000; ++i) values.push_back(RandomNumber(random));
  std::string text = "left over from before";
  for (const int precision : {15, 1, 6, 18, 19, 25, 0}) {
    for (const char separator : {'.', ','}) {
      for (const TNumber value : values) {
        SCOPED_TRACE(testing::Message() << value << " to " << precision << " digits");
        const std::string expected = PrintfFormatGeneral(value, precision, separator);
        ASSERT_EQ(FormatGeneral(value, precision, separator), expected);
        FormatGeneral(value, precision, separator, text);
        ASSERT_EQ(text, expected);
      }
    }
  }
}

TEST(TextNumbers, GroupedCountPutsABlankBeforeEveryThreeDigits) {
  struct TCase {
    std::int64_t Count;
    const char* Text;
  } cases[] = {
      {0, "0"},
      {999, "999"},
      {1000, "1 000"},
      {1234567, "1 234 567"},
      {-999, "-999"},
      {-1234, "-1 234"},
      {std::numeric_limits<std::int64_t>::min(), "-9 223 372 036 854 775 808"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(GroupedCount(c.Count), c.Text);
  }
}

TEST(TextNumbers, ZeroPaddedFillsUpToTheWidthOnly) {
  struct TCase {
    long long Value;
    int Width;
    const char* Text;
  } cases[] = {{7, 2, "07"}, {0, 4, "0000"}, {2024, 4, "2024"}, {12345, 2, "12345"}, {5, 0, "5"}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(ZeroPadded(c.Value, c.Width), c.Text);
  }
}

TEST(TextNumbers, FileSizeTextScalesToKilobytesAndMegabytes) {
  struct TCase {
    std::uintmax_t Size;
    const char* WithFullStop;
    const char* WithComma;
  } cases[] = {
      {0, "0 b", "0 b"},
      {100, "100 b", "100 b"},
      {1023, "1023 b", "1023 b"},
      {1024, "1 Kb", "1 Kb"},
      {1536, "1.5 Kb", "1,5 Kb"},
      {1126, "1.1 Kb", "1,1 Kb"},
      {1280, "1.25 Kb", "1,25 Kb"},
      {1048575, "1,024 Kb", "1.024 Kb"},
      {2097152, "2 Mb", "2 Mb"},
      {5000000000ULL, "4,768.37 Mb", "4.768,37 Mb"},
  };
  test::TTempDir folder;
  const std::string path = folder.File("sized");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.WithFullStop);
    folder.Write("sized", "");
    std::filesystem::resize_file(path, c.Size);  // sparse, so big sizes cost nothing
    EXPECT_EQ(FileSizeText(path), c.WithFullStop);
    test::TScopedLocale locale(CommaDecimalLocale());
    EXPECT_EQ(FileSizeText(path), c.WithComma);
  }
}

TEST(TextNumbers, FileSizeTextOfWhatIsNoReadableFileIsUnknown) {
  test::TTempDir folder;
  const std::string locked = folder.Write("locked", "secret");
  std::filesystem::permissions(locked, std::filesystem::perms::none);
  for (const std::string& path : {folder.File("missing"), folder.Path(), std::string()}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(FileSizeText(path), "???");
  }
  if (::access(locked.c_str(), R_OK) != 0) {  // root reads it anyway
    EXPECT_EQ(FileSizeText(locked), "???");
  }
}

TEST(TextNumbers, FileSizeTextOfAPipeAnswersAtOnce) {
  test::TTempDir folder;
  const std::string pipe = folder.File("pipe");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::promise<std::string> answer;
  std::future<std::string> text = answer.get_future();
  std::thread asking([&] { answer.set_value(FileSizeText(pipe)); });
  const bool answered = text.wait_for(std::chrono::seconds(5)) == std::future_status::ready;
  int writer = -1;
  if (!answered) writer = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);  // releases a stuck open
  asking.join();
  if (writer >= 0) ::close(writer);
  EXPECT_TRUE(answered) << "waited for a writer to the pipe";
  EXPECT_EQ(text.get(), "???");
}

TEST(TextNumbers, CodePageOfCharsetFollowsTheLocaleForDefaultAndOem) {
  struct TCase {
    int Charset;
    bool Known;
    int CodePage;
  } cases[] = {
      {kAnsiCharset, true, 1252},
      {kDefaultCharset, true, 1251},
      {kOemCharset, true, 866},
      {204, true, 1251},
      {238, true, 1250},
      {128, true, 932},
      {2, false, 0},
      {3, false, 0},
      {-1, false, 0},
  };
  TLocaleSettings cyrillic = test::PinnedLocaleSettings();
  cyrillic.AnsiCodePage = 1251;
  cyrillic.OemCodePage = 866;
  test::TScopedLocale locale(cyrillic);
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Charset);
    int codePage = -7;
    ASSERT_EQ(CodePageOfCharset(c.Charset, codePage), c.Known);
    EXPECT_EQ(codePage, c.Known ? c.CodePage : -7);
  }
}

TEST(TextNumbers, CharsetNamesReadBackToTheirCharset) {
  for (int charset = 0; charset < 256; ++charset) {
    const std::string name = CharsetName(charset);
    if (name.empty()) continue;
    SCOPED_TRACE(name);
    int back = -1;
    ASSERT_TRUE(TryCharsetFromName(name, back));
    EXPECT_EQ(back, charset);
  }
  EXPECT_EQ(CharsetName(kDefaultCharset), "DEFAULT_CHARSET");
  int unchanged = 5;
  EXPECT_FALSE(TryCharsetFromName("default_charset", unchanged));
  EXPECT_FALSE(TryCharsetFromName("", unchanged));
  EXPECT_EQ(unchanged, 5);
}

}  // namespace
}  // namespace mervanta
