#include "support/string_list.h"

#include <gtest/gtest.h>

namespace mervanta {
namespace {

TEST(StringList, CommaTextRoundTripsAwkwardItems) {
  const TStringList lists[] = {
      {},
      {""},
      {"", ""},
      {"plain", "two words", "", "x\"y", "a,b", " lead", "trail ", "\"", "tab\there"},
      {"line\r\nbreak", "\xC4\xE9\xFF", "=;()"},
  };
  for (const TStringList& list : lists) {
    const std::string text = ListToCommaText(list);
    SCOPED_TRACE(text);
    EXPECT_EQ(CommaTextToList(text), list);
  }
}

TEST(StringList, CommaTextQuotesOnlyWhatNeedsIt) {
  EXPECT_EQ(ListToCommaText({"a", "b c", "", "x\"y", "p,q", "\xE9"}),
            "a,\"b c\",\"\",\"x\"\"y\",\"p,q\",\xE9");
}

TEST(StringList, CommaTextReadsHandWrittenForms) {
  struct TCase {
    const char* Text;
    TStringList List;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a, b", {"a", "b"}},
      {"  a ,  b  ", {"a", "b"}},
      {"a b", {"a", "b"}},
      {"\"x\"\"y\",", {"x\"y", ""}},
      {"a,,b", {"a", "", "b"}},
      {",a", {"", "a"}},
      {"\"open", {"open"}},
      {"\"a b\"c", {"a b", "c"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    EXPECT_EQ(CommaTextToList(c.Text), c.List);
  }
}

TEST(StringList, LinesTextSplitsAtAnyLineBreak) {
  struct TCase {
    const char* Text;
    TStringList List;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb\nc\rd", {"a", "b", "c", "d"}},
      {"a\r\n", {"a"}},
      {"a\r\n\r\n", {"a", ""}},
      {"\r\n", {""}},
      {"a\n\rb", {"a", "", "b"}},
      {"a\r\r\nb", {"a", "", "b"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Text));
    EXPECT_EQ(TextToList(c.Text), c.List);
  }
}

TEST(StringList, LinesTextEndsEveryItemWithCrLfAndReadsBack) {
  const TStringList list = {"first", "", "third"};
  EXPECT_EQ(ListToText(list), "first\r\n\r\nthird\r\n");
  EXPECT_EQ(TextToList(ListToText(list)), list);
  EXPECT_EQ(ListToText({}), "");
}

TEST(StringList, LineOfTextCountsCrLfLinesFromZero) {
  struct TCase {
    const char* Text;
    int Index;
    const char* Line;
  } cases[] = {
      {"a\r\nb\r\nc", 0, "a"}, {"a\r\nb\r\nc", 1, "b"}, {"a\r\nb\r\nc", 2, "c"},
      {"a\r\nb\r\nc", 3, ""},  {"a\r\nb\r\nc", -1, ""}, {"a\r\n\r\nc", 1, ""},
      {"a\r\n", 1, ""},        {"a\nb", 0, "a\nb"},     {"", 0, ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.Text) + " line " + std::to_string(c.Index));
    EXPECT_EQ(LineOfText(c.Text, c.Index), c.Line);
  }
}

}  // namespace
}  // namespace mervanta
