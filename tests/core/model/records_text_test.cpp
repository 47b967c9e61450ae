#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/data_text.h"
#include "model/records.h"
#include "records_fixture.h"
#include "support/atomic_file.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/progress.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_progress.h"
#include "test_support/short_of_memory.h"
#include "test_support/temp_dir.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

// Texts come from memory (block size 0) or from a file read in blocks of the given size; the
// small ones end blocks at every place in a line.
constexpr std::size_t kSources[] = {0, 1, 2, 3, 7, TDataText::kBlockSize};

// Loads texts from one kind of source and keeps where their text ended.
class TTextLoader {
 public:
  explicit TTextLoader(std::size_t blockSize) : BlockSize_(blockSize) {}

  int Load(TRecords& list, std::string_view bytes, int minimum) {
    TDataText text = BlockSize_ == 0 ? TDataText(bytes, "t.csv")
                                     : TDataText(Folder_.Write("t.csv", bytes), BlockSize_);
    const int fieldCount = list.LoadText(text, minimum);
    ZeroByte = text.ZeroByte();
    return fieldCount;
  }

  std::optional<std::uint64_t> ZeroByte;

 private:
  TTempDir Folder_;
  std::size_t BlockSize_;
};

int LoadText(TRecords& list, std::string_view bytes, int minimum = 0) {
  return TTextLoader(0).Load(list, bytes, minimum);
}

std::string Fields(int count, char separator) {
  std::string line = "v";
  for (int i = 1; i < count; ++i) line += std::string(1, separator) + "v";
  return line;
}

struct TLoadCase {
  const char* Name;
  int SeparatorIndex;  // of the options: ";", ",", tab, "|"
  std::string Bytes;
  int Minimum;
  int FieldCount;
  std::string Rows;
};

class LoadTextTest : public testing::TestWithParam<TLoadCase> {};

TEST_P(LoadTextTest, ReadsTheRecords) {
  const TLoadCase& c = GetParam();
  TScopedFileOptions options(c.SeparatorIndex, false);
  for (const std::size_t blockSize : kSources) {
    SCOPED_TRACE(blockSize);
    TRecordsFixture table;
    table.All.Add(table.Make({"before"}));
    TTextLoader loader(blockSize);
    EXPECT_EQ(loader.Load(table.All, c.Bytes, c.Minimum), c.FieldCount);
    EXPECT_EQ(TRecordsFixture::Rows(table.All), c.Rows);
    for (const TRecord* record : table.All.Items()) {
      EXPECT_GE(record->Fields().Count(), c.FieldCount);
    }
    EXPECT_EQ(loader.ZeroByte, std::nullopt);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Records, LoadTextTest,
    testing::Values(
        TLoadCase{"SemicolonLinesUnderComma", 1, "a;b;c\r\nd;e;f\r\n", 0, 3, "a|b|c/d|e|f"},
        TLoadCase{"ConfiguredCommaFits", 1, "a,b;x\r\nc,d\r\n", 0, 2, "a|b;x/c|d"},
        TLoadCase{"TabUnderBar", 3, "a\tb\r\n", 0, 2, "a|b"},
        TLoadCase{"OneColumnStaysOne", 0, "a\r\nb\r\n", 0, 1, "a/b"},
        TLoadCase{"OneCommaPerValueMakesTwoColumns", 0, "a,1\r\nb,2\r\n", 0, 2, "a|1/b|2"},
        TLoadCase{"NoSeparatorFitsBetter", 0, "a,1\r\nb\r\n", 0, 1, "a,1/b"},
        TLoadCase{"BlankLineIsARecord", 0, "a;b\r\n\r\nc;d\r\n", 0, 2, "a|b/|/c|d"},
        TLoadCase{"ShortLinesArePadded", 0, "a;b;c\r\nd\r\n", 0, 3, "a|b|c/d||"},
        TLoadCase{"EmptyFile", 0, "", 0, 0, ""},
        TLoadCase{"EmptyFileWithAMinimum", 0, "", 3, 3, ""},
        TLoadCase{"PaddedToTheMinimum", 0, "a;b\r\n", 4, 4, "a|b||"},
        TLoadCase{"NoLastLineBreak", 0, "a;b\r\nc;d", 0, 2, "a|b/c|d"},
        TLoadCase{"QuotedFieldAcrossLines", 0, "\"x\r\ny\";z\r\nq;w\r\n", 0, 2, "x\r\ny|z/q|w"},
        TLoadCase{"LoneCarriageReturnsAndLineFeeds", 0, "a;b\rc;d\n\re;f", 0, 2, "a|b/c|d/|/e|f"},
        TLoadCase{"EndsInACarriageReturn", 0, "a;b\r\nc;d\r", 0, 2, "a|b/c|d"},
        TLoadCase{"QuotesAcrossBlocks", 0, "\"x;\"\"y\"\"\r\n\";\"\"\r\n\"\"\"\";z\r\n", 0, 2,
                  "x;\"y\"\r\n|/\"|z"},
        TLoadCase{"LongestField", 0, std::string(65535, 'x') + ";y\r\n", 0, 2,
                  std::string(65535, 'x') + "|y"},
        TLoadCase{"MostFields", 0, Fields(256, ';') + "\r\n", 0, 256, Fields(256, '|')},
        // Too many fields for ";": the first trial that reads at all is taken.
        TLoadCase{"TooManyFieldsTakeTheCommaTrial", 0, Fields(257, ';') + "\r\n", 0, 1,
                  Fields(257, ';')}),
    [](const testing::TestParamInfo<TLoadCase>& info) { return info.param.Name; });

TEST(RecordsText, TextThatNoSeparatorReadsIsRefusedAndTheListEmptied) {
  const std::string cases[] = {
      std::string(65536, 'x') + "\r\n",
      "a;b\r\n" + std::string(65536, 'x') + "\r\n",
      Fields(257, ';') + "\r\n" + Fields(257, ',') + "\r\n" + Fields(257, '\t') + "\r\n" +
          Fields(257, '|') + "\r\n",
  };
  for (const std::string& bytes : cases) {
    for (const std::size_t blockSize : kSources) {
      SCOPED_TRACE(blockSize);
      TRecordsFixture table;
      table.All.Add(table.Make({"before"}));
      try {
        TTextLoader(blockSize).Load(table.All, bytes, 0);
        ADD_FAILURE() << "no failure";
      } catch (const EMervantaError& error) {
        EXPECT_STREQ(error.what(), "Stream read error");
      }
      EXPECT_EQ(table.All.Count(), 0);
    }
  }
}

TEST(RecordsText, TheTextEndsAtTheFirstZeroByte) {
  const struct {
    std::string Bytes;
    std::string Rows;
    std::uint64_t ZeroByte;
  } cases[] = {
      {"a;b\r\n\0\0\0\0"s, "a|b", 5},
      {"a;b\r\n"s + std::string(100000, '\0'), "a|b", 5},
      {"a;b\r\nc;d\0e;f\r\ng;h\r\n"s, "a|b/c|d", 8},
      {"a;\"b\0c\";d\r\n"s, "a|b", 4},
      {"\0a;b\r\n"s, "", 0},
  };
  for (const auto& c : cases) {
    for (const std::size_t blockSize : kSources) {
      SCOPED_TRACE(c.Rows + " from " + std::to_string(blockSize));
      TRecordsFixture table;
      TTextLoader loader(blockSize);
      loader.Load(table.All, c.Bytes, 0);
      EXPECT_EQ(TRecordsFixture::Rows(table.All), c.Rows);
      EXPECT_EQ(loader.ZeroByte, c.ZeroByte);
    }
  }
}

TEST(RecordsText, TheListIsSizedByTheLines) {
  TRecordsFixture table;
  LoadText(table.All, "a;1\r\nb;2\r\n\"c\r\n\";3\r\n");
  EXPECT_EQ(table.All.Count(), 3);
  EXPECT_EQ(table.All.Capacity(), 4);
}

std::uint32_t Now = 0;
// A quarter of a second passes whenever the time is read.
std::uint32_t SlowClock() {
  return Now += 250;
}

TEST(RecordsText, ProgressRunsOverTheFileBytesToTheEnd) {
  // 100 steps of 64 KiB; the text ends at a zero byte halfway, and the bar still ends full.
  constexpr std::size_t kSize = 100 * 64 * 1024;
  std::string bytes;
  while (bytes.size() < kSize / 2) bytes += "abcdefgh;ijklmnop\r\n";
  bytes.resize(kSize, '\0');
  TTempDir folder;
  TDataText text(folder.Write("t.csv", bytes));
  TRecordingUserInterface ui;
  const TScopedProgress progress(&SlowClock);
  TRecordsFixture table;
  table.All.LoadText(text, 0);
  const auto shown = std::find(ui.Events.begin(), ui.Events.end(), "show 80");
  EXPECT_NE(shown, ui.Events.end()) << "the window shows at step 20 for the 80 steps left";
  const auto full = std::find(shown, ui.Events.end(), "text 100%");
  ASSERT_NE(full, ui.Events.end());
  EXPECT_EQ(full[1], "position 80");
  EXPECT_EQ(table.All.Count(), static_cast<int>((kSize / 2 + 18) / 19));
}

TEST(RecordsText, RunningOutOfMemoryNamesTheFileAndWhatTheLoadNeeds) {
  constexpr int kLines = 300000;
  const std::string line = "abcdefgh;ijklmnop\r\n";
  std::string bytes;
  for (int i = 0; i < kLines; ++i) bytes += line;
  TTempDir folder;
  const std::string path = folder.Write("big.csv", bytes);
  // What the loaded records take: a slot and a list entry each, and their field blocks.
  const double needed = kLines * (sizeof(TRecord) + sizeof(TRecord*) + line.size() + 1.0);
  const double megabyte = 1024 * 1024;

  // No memory at all, and memory for the first few megabytes of records only.
  for (const std::size_t limit : {std::size_t{1}, std::size_t{12} << 20}) {
    SCOPED_TRACE(limit);
    TRecordsFixture table;
    table.All.Add(table.Make({"before"}));
    TShortOfMemory shortOfMemory(limit);
    TDataText text(path);
    try {
      table.All.LoadText(text, 0);
      ADD_FAILURE() << "no failure";
    } catch (const EMervantaError& error) {
      const std::string message = error.what();
      const std::string start = "Not enough memory to open \"" + path + "\" (";
      ASSERT_TRUE(message.starts_with(start)) << message;
      EXPECT_TRUE(message.ends_with(" MB needed)")) << message;
      const int megabytes = std::stoi(message.substr(start.size()));
      EXPECT_GE(megabytes, needed / megabyte) << message;
      EXPECT_LE(megabytes, 1.25 * needed / megabyte) << message;
    }
    EXPECT_EQ(table.All.Count(), 0);
  }
  TRecordsFixture table;
  TDataText text(path);
  EXPECT_EQ(table.All.LoadText(text, 0), 2);
  EXPECT_EQ(table.All.Count(), kLines);
}

TEST(RecordsText, UnicodeTextIsReadOnlyWhenTheUserAgrees) {
  const std::string utf16 =
      "\xFF\xFE"
      "a\0;\0b\0\r\0\n\0"s;
  const std::string question =
      "message Warning: Probably, the file has UNICODE characters.\rThis version does not "
      "support UNICODE.\r\rContinue?\r\rPlease convert the file to ANSI (using Notepad or other "
      "editors) to avoid this message.";
  for (TAnswer answer : {TAnswer::Yes, TAnswer::No}) {
    TRecordingUserInterface ui;
    ui.Answers.push_back(answer);
    TRecordsFixture table;
    table.AddNamed("xy");
    ui.Events.clear();
    if (answer == TAnswer::Yes) {
      LoadText(table.All, utf16);
      EXPECT_EQ(TRecordsFixture::Rows(table.All),
                "\xFF\xFE"
                "a")
          << "the text as it stands, up to its first zero byte";
    } else {
      try {
        LoadText(table.All, utf16);
        ADD_FAILURE() << "no failure";
      } catch (const EMervantaError& error) {
        EXPECT_STREQ(error.what(), "Operation aborted");
      }
      EXPECT_EQ(TRecordsFixture::Names(table.All), "x y");
    }
    EXPECT_EQ(ui.Events.front(), question);
  }
}

std::string Saved(const TRecords& list) {
  TTempDir folder;
  const std::string path = folder.File("table.csv");
  ReplaceFileAtomically(path, [&](TFileWriter& out) { list.SaveText(out); });
  return ReadWholeFile(path);
}

TEST(RecordsText, SavesOneLinePerRecordAndReadsItBack) {
  struct TCase {
    int SeparatorIndex;
    bool QuoteAll;
    const char* Text;
  } cases[] = {
      {0, false, "a;\"b;c\"\r\n\"\"\"q\"\"\";\r\n\" x\";\"1\r\n2\"\r\n"},
      {2, true, "\"a\"\t\"b;c\"\r\n\"\"\"q\"\"\"\t\"\"\r\n\" x\"\t\"1\r\n2\"\r\n"},
      {3, false, "a|b;c\r\n\"\"\"q\"\"\"|\r\n\" x\"|\"1\r\n2\"\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    TScopedFileOptions options(c.SeparatorIndex, c.QuoteAll);
    TRecordsFixture table(2);
    for (const TRow& row : std::vector<TRow>{{"a", "b;c"}, {"\"q\"", ""}, {" x", "1\r\n2"}}) {
      table.All.Add(table.Make(row));
    }
    const std::string text = Saved(table.All);
    EXPECT_EQ(text, c.Text);
    TRecordsFixture again;
    EXPECT_EQ(LoadText(again.All, text), 2);
    EXPECT_EQ(TRecordsFixture::Rows(again.All), TRecordsFixture::Rows(table.All));
  }
  TRecordsFixture empty;
  EXPECT_EQ(Saved(empty.All), "");
}

}  // namespace
}  // namespace mervanta::test
