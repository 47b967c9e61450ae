#include "formula/formula_reader.h"

#include <gtest/gtest.h>

#include "formula/formula_error.h"

namespace mervanta::test {
namespace {

// Tokens as "kind:text" joined by blanks, kinds by their number.
std::string Tokens(std::string_view text) {
  TFormulaReader reader;
  reader.Read(text);
  std::string out;
  for (int i = 0; i < reader.Count(); ++i) {
    if (i > 0) out += ' ';
    out += std::to_string(static_cast<int>(reader.Kind(i))) + ":" + std::string(reader.Text(i));
  }
  return out;
}

int ReadError(std::string_view text) {
  try {
    Tokens(text);
  } catch (const EFormulaError& error) {
    return static_cast<int>(error.Code());
  }
  return 0;
}

TEST(FormulaReader, CutsTokensAtTheirBoundaries) {
  struct TCase {
    std::string_view Text;
    const char* Tokens;
  };
  const TCase cases[] = {
      {"", ""},
      {std::string_view("\x01 \t\r\n\x1F", 6), ""},
      {"\"a\"\"b\"+\"\"", "0:\"a\"\"b\" 4:+ 0:\"\""},
      {"\"x;(y)\"", "0:\"x;(y)\""},
      {"#12abc", "10:#12 1:abc"},
      {"# 5", "10:# 2:5"},
      {"3,14 1.2,3 1.", "2:3,14 2:1.2,3 2:1."},
      {"1e5", "2:1 1:e5"},
      {"_x1+Max2", "1:_x1 4:+ 1:Max2"},
      {"-1", "6:- 2:1"},
      {"(-1)", "7:( 6:- 2:1 8:)"},
      {"1-2", "2:1 4:- 2:2"},
      {"a-1", "1:a 4:- 2:1"},
      {"\"s\"+1", "0:\"s\" 4:+ 2:1"},
      {"#1-1", "10:#1 4:- 2:1"},
      {"(1)-1", "7:( 2:1 8:) 4:- 2:1"},
      {"1*-+2", "2:1 5:* 6:- 6:+ 2:2"},
      {";-1", "9:; 6:- 2:1"},
      {"1<>=2", "2:1 3:<>= 2:2"},
      {"1 = =2", "2:1 3:= 3:= 2:2"},
      {"a/b", "1:a 5:/ 1:b"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Text);
    EXPECT_EQ(Tokens(test.Text), test.Tokens);
  }
}

TEST(FormulaReader, ReportsLexicalFaults) {
  struct TCase {
    std::string_view Text;
    int Code;
  };
  const TCase cases[] = {
      {"1 & 2", 42}, {"!", 42},       {",5", 42},    {".5", 42},
      {"'a'", 42},   {"\x80", 42},    {"a\x7F", 42}, {std::string_view("1\0", 2), 42},
      {")", 43},     {"(1))+(", 43},  {"(()", 44},   {"Max((1)", 44},
      {"\"abc", 45}, {"\"a\"\"", 45}, {"(\"a)", 45},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Text);
    EXPECT_EQ(ReadError(test.Text), test.Code);
  }
}

TEST(FormulaReader, FindsTokensOutsideBracketsAndStripsEnclosingPairs) {
  TFormulaReader reader;
  // 0 ( 1 ( 2 1 3 + 4 2 5 ) 6 * 7 3 8 ) 9 + 10 ( 11 4 12 )
  reader.Read("((1+2)*3)+(4)");
  EXPECT_EQ(reader.FindToken(0, 12, TFoScan::Backward, TFoTokenKind::AddOp), 9);
  EXPECT_EQ(reader.FindToken(0, 12, TFoScan::Forward, TFoTokenKind::AddOp), 9);
  EXPECT_EQ(reader.FindToken(0, 12, TFoScan::Forward, TFoTokenKind::MulOp), -1);
  EXPECT_EQ(reader.FindToken(1, 7, TFoScan::Forward, TFoTokenKind::MulOp), 6);
  EXPECT_EQ(reader.FindToken(2, 4, TFoScan::Forward, TFoTokenKind::AddOp), 3);
  EXPECT_EQ(reader.FindToken(5, 4, TFoScan::Forward, TFoTokenKind::AddOp), -1);

  int first = 0, last = 12;
  reader.StripBrackets(first, last);
  EXPECT_EQ(first, 0);  // "(...)+(4)" is not one pair
  first = 0, last = 8;
  reader.StripBrackets(first, last);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(last, 7);
  first = 1, last = 7;
  reader.StripBrackets(first, last);
  EXPECT_EQ(first, 1);  // "(1+2)*3" is not one pair either

  reader.Read("((7))");
  first = 0, last = 4;
  reader.StripBrackets(first, last);
  EXPECT_EQ(first, 2);
  EXPECT_EQ(last, 2);

  // The depth counts within the range: past an unmatched bracket the next group is at 0.
  // 0 Max 1 ( 2 1 3 ) 4 ( 5 2 6 ; 7 abc 8 )
  reader.Read("Max(1)(2;abc)");
  EXPECT_EQ(reader.FindToken(2, 7, TFoScan::Forward, TFoTokenKind::Separator), 6);
  EXPECT_EQ(reader.FindToken(2, 4, TFoScan::Backward, TFoTokenKind::Number), 2);
  EXPECT_EQ(reader.FindToken(1, 7, TFoScan::Forward, TFoTokenKind::Separator), -1);
  EXPECT_EQ(reader.FindToken(0, 8, TFoScan::Backward, TFoTokenKind::Identifier), 0);
}

}  // namespace
}  // namespace mervanta::test
