#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <future>
#include <limits>
#include <thread>

#include "support/charsets.h"
#include "support/numbers.h"
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
