#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/records.h"
#include "records_fixture.h"
#include "support/atomic_file.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "test_support/recording_user_interface.h"
#include "test_support/temp_dir.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

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
  TRecordsFixture table;
  table.All.Add(table.Make({"before"}));
  EXPECT_EQ(table.All.LoadText(c.Bytes, c.Minimum), c.FieldCount);
  EXPECT_EQ(TRecordsFixture::Rows(table.All), c.Rows);
  for (const TRecord* record : table.All.Items()) EXPECT_GE(record->Fields().Count(), c.FieldCount);
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
        TLoadCase{"NulBytesAreText", 0, "a\0b;c\r\n"s, 0, 2, "a\0b|c"s},
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
      Fields(257, ';') + "\r\n" + Fields(257, ',') + "\r\n" + Fields(257, '\t') + "\r\n" +
          Fields(257, '|') + "\r\n",
  };
  for (const std::string& bytes : cases) {
    TRecordsFixture table;
    table.All.Add(table.Make({"before"}));
    try {
      table.All.LoadText(bytes, 0);
      ADD_FAILURE() << "no failure";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), "Stream read error");
    }
    EXPECT_EQ(table.All.Count(), 0);
  }
}

TEST(RecordsText, TheListIsSizedByTheLines) {
  TRecordsFixture table;
  table.All.LoadText("a;1\r\nb;2\r\n\"c\r\n\";3\r\n", 0);
  EXPECT_EQ(table.All.Count(), 3);
  EXPECT_EQ(table.All.Capacity(), 4);
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
      table.All.LoadText(utf16, 0);
      EXPECT_EQ(table.All.Count(), 3) << "the text as it stands";
    } else {
      try {
        table.All.LoadText(utf16, 0);
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
    EXPECT_EQ(again.All.LoadText(text, 0), 2);
    EXPECT_EQ(TRecordsFixture::Rows(again.All), TRecordsFixture::Rows(table.All));
  }
  TRecordsFixture empty;
  EXPECT_EQ(Saved(empty.All), "");
}

}  // namespace
}  // namespace mervanta::test
