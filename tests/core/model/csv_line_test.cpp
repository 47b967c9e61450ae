#include <gtest/gtest.h>

#include <string>

#include "field_test_helpers.h"
#include "model/csv_line_reader.h"
#include "model/field_array.h"
#include "support/errors.h"

namespace mervanta {
namespace {

using test::FieldsOf;
using test::TextsOf;
using test::TFieldTexts;

std::string CsvLine(const TFieldTexts& texts, char separator, bool quoteAll) {
  std::string line;
  FieldsOf(texts).AppendCsvLine(line, separator, quoteAll);
  return line;
}

TEST(CsvLine, ParsesOneLineAndStopsAtItsBreak) {
  struct TCase {
    std::string Text;
    std::size_t Start;
    char Separator;
    TFieldTexts Expected;
    std::size_t End;
  } cases[] = {
      {R"(a;"b;c";"d""e")", 0, ';', {"a", "b;c", "d\"e"}, 14},
      {R"(a"b"c)", 0, ';', {"abc"}, 5},
      {R"(x"y;z"w;v)", 0, ';', {"xy;zw", "v"}, 9},
      {"", 0, ';', {""}, 0},
      {"\r\nnext", 0, ';', {""}, 0},
      {";;", 0, ';', {"", "", ""}, 2},
      {"x;y\r\nz", 0, ';', {"x", "y"}, 3},
      {"x;y\nz", 0, ';', {"x", "y"}, 3},
      {"\"a\r\nb\";c\nrest", 0, ';', {"a\r\nb", "c"}, 8},
      {"first\ny;z", 6, ';', {"y", "z"}, 9},
      {"a,b;c", 0, ',', {"a", "b;c"}, 5},
      {"a\tb|c", 0, '\t', {"a", "b|c"}, 5},
      {"a|\"b|c\"", 0, '|', {"a", "b|c"}, 7},
      {"\"open to the end\r\n;x", 0, ';', {"open to the end\r\n;x"}, 20},
      {R"("a"")", 0, ';', {"a\""}, 4},
      {std::string("a\0b;c", 5), 0, ';', {std::string("a\0b", 3), "c"}, 5},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Text);
    std::size_t pos = c.Start;
    TFieldArray fields = TFieldArray::ParseCsvLine(c.Text, pos, c.Separator);
    EXPECT_EQ(TextsOf(fields), c.Expected);
    EXPECT_EQ(pos, c.End);
    EXPECT_EQ(fields.DataSize(), test::ExpectedDataSize(c.Expected));
    std::size_t counted = c.Start;
    EXPECT_EQ(TCsvLineReader(c.Separator).CountFields(c.Text, counted), c.Expected.size());
    EXPECT_EQ(counted, c.End);
  }
}

TEST(CsvLine, FindsTheEndOfRunsOfAnyLength) {
  // Runs of plain text end at every place in a word of eight bytes, by each byte that ends one.
  TCsvLineReader reader(';');
  for (const char* stop : {";", "\"\"", "\r", "\n"}) {
    for (std::size_t length = 0; length < 20; ++length) {
      SCOPED_TRACE(std::string(stop) + " after " + std::to_string(length));
      const std::string run(length, 'x');
      const std::string line = run + stop + "y";
      std::size_t pos = 0;
      const std::string_view block = reader.Read(line, pos);
      const TFieldArray fields = TFieldArray::Copied(block, reader.FieldCount());
      const bool ended = stop[0] == '\r' || stop[0] == '\n';
      const TFieldTexts expected = stop[0] == ';' ? TFieldTexts{run, "y"}
                                   : ended        ? TFieldTexts{run}
                                                  : TFieldTexts{run + "y"};
      EXPECT_EQ(TextsOf(fields), expected);
      EXPECT_EQ(pos, ended ? length : line.size());
    }
  }
}

TEST(CsvLine, ParserRefusesOverlongFieldsAndTooManyFields) {
  const std::string longest(TFieldArray::kMaxFieldLength, 'x');
  const std::string most(TFieldArray::kMaxFieldCount - 1, ';');
  std::size_t pos = 0;
  EXPECT_EQ(TFieldArray::ParseCsvLine(longest, pos, ';').Field(0).size(), longest.size());
  pos = 0;
  EXPECT_EQ(TFieldArray::ParseCsvLine(most, pos, ';').Count(), TFieldArray::kMaxFieldCount);

  for (const std::string& line :
       {longest + "x", "\"" + longest + "\"\"\"", "a;" + longest + "\"x\"", most + ";"}) {
    SCOPED_TRACE(line.size());
    pos = 0;
    try {
      TFieldArray::ParseCsvLine(line, pos, ';');
      ADD_FAILURE() << "no error";
    } catch (const EMervantaError& error) {
      EXPECT_STREQ(error.what(), "Stream read error");
    }
    EXPECT_EQ(pos, 0u);
    EXPECT_THROW(TCsvLineReader(';').CountFields(line, pos), EMervantaError);
    EXPECT_EQ(pos, 0u);
  }
}

TEST(CsvLine, WritesQuotesOnlyWhereNeeded) {
  struct TCase {
    TFieldTexts Fields;
    char Separator;
    bool QuoteAll;
    std::string Expected;
  } cases[] = {
      {{"a", "b;c", "d\"e"}, ';', false, "a;\"b;c\";\"d\"\"e\"\r\n"},
      {{" x", "y ", "m i d"}, ';', false, "\" x\";\"y \";m i d\r\n"},
      {{"x\"y"}, ';', false, "\"x\"\"y\"\r\n"},
      {{"", "", ""}, ';', false, ";;\r\n"},
      {{}, ';', false, "\r\n"},
      {{"a\r\nb", "c\rd", "e\nf"}, ';', false, "\"a\r\nb\";\"c\rd\";\"e\nf\"\r\n"},
      {{"a", ""}, ';', true, "\"a\";\"\"\r\n"},
      {{"a;b", "c,d"}, ',', false, "a;b,\"c,d\"\r\n"},
      {{"a\tb", "c|d"}, '\t', false, "\"a\tb\"\tc|d\r\n"},
      {{"a\tb", "c|d"}, '|', false, "a\tb|\"c|d\"\r\n"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Expected);
    EXPECT_EQ(CsvLine(c.Fields, c.Separator, c.QuoteAll), c.Expected);
  }
  std::string out = "kept";
  FieldsOf({"x"}).AppendCsvLine(out, ';', false);
  EXPECT_EQ(out,
            "kept"
            "x\r\n");
}

TEST(CsvLine, WrittenLinesReadBackTheSameFields) {
  const TFieldTexts awkward{"",        " lead",      "trail ", "q\"uote",
                            "\"\"",    "semi;colon", "com,ma", "ta\tb",
                            "pi|pe",   "cr\rlf\n",   "\r\n",   std::string("nul\0", 4),
                            "\x85\xFF"};
  for (char separator : {';', ',', '\t', '|'}) {
    for (bool quoteAll : {false, true}) {
      SCOPED_TRACE(std::string(1, separator) + (quoteAll ? " quoting all" : ""));
      const std::string line = CsvLine(awkward, separator, quoteAll);
      std::size_t pos = 0;
      EXPECT_EQ(TextsOf(TFieldArray::ParseCsvLine(line, pos, separator)), awkward);
      EXPECT_EQ(pos, line.size() - 2);
    }
  }
}

}  // namespace
}  // namespace mervanta
