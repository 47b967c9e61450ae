#include <gtest/gtest.h>

#include "formula/fo_variable.h"
#include "formula/formula_parser.h"
#include "test_record.h"

namespace mervanta::test {
namespace {

std::string Nested(std::string_view open, std::string_view inner, std::string_view close,
                   int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += open;
  text += inner;
  for (int i = 0; i < times; ++i) text += close;
  return text;
}

std::string Joined(std::string_view item, std::string_view separator, int times) {
  std::string text(item);
  for (int i = 1; i < times; ++i) (text += separator) += item;
  return text;
}

std::string Compute(std::string_view formula) {
  TTestRecord record;
  record.AddVirtual(formula);
  return record.Value(1);
}

// Formulas from a description file may be hostile; they end in an error cell or a bounded
// result, never in a crash, a hang or a huge allocation.
TEST(FormulaLimits, DeepOrWideFormulasEndInAnErrorOrABoundedResult) {
  constexpr int kLimit = TFormulaParser::kMaxNesting;
  struct TCase {
    std::string Formula;
    std::string Expected;
  };
  const TCase cases[] = {
      {Nested("(", "1", ")", 100000), "1"},
      {Nested("-(", "1", ")", 100000), "<error 46>"},
      {std::string(100000, '-') + "5", "<error 46>"},
      {Nested("Abs(", "-1", ")", 100000), "<error 46>"},
      {Nested("Abs(", "-1", ")", kLimit - 1), "1"},
      {Nested("Abs(", "-1", ")", kLimit), "<error 46>"},
      {Nested("Abs(", "1", ")", kLimit), "1"},
      {Nested("Abs(", "1", ")", kLimit + 1), "<error 46>"},
      {Joined("1", "+", 500), "500"},
      {Joined("1", "+", kLimit + 1), "1001"},
      {Joined("1", "+", kLimit + 2), "<error 46>"},
      {Joined("1", "+", 1000000), "<error 46>"},
      {"Max(" + Joined("1", ";", 255) + ";2)", "2"},
      {"Max(" + Joined("1", ";", 257) + ")", "<error 50>"},
      {"Max(" + Joined("(((1)))", ";", 100000) + ")", "<error 50>"},
      {std::string(1000, '9'), "<error 47>"},
      {Nested("\"", std::string(70000, 'x'), "\"", 1), std::string(kMaxTextLength, 'x')},
      {"Repeat(\"x\";2000000000)", std::string(kMaxTextLength, 'x')},
      {"Repeat(\"a\";40000)+Repeat(\"b\";40000)",
       std::string(40000, 'a') + std::string(kMaxTextLength - 40000, 'b')},
      // Each join of a chain counts its whole text, built in place or not: 2 * 600 texts of
      // 64 KiB exceed the budget.
      {Joined("Repeat(\"x\";65535)", "+", 400), std::string(kMaxTextLength, 'x')},
      {Joined("Repeat(\"x\";65535)", "+", 600), "<error 81>"},
      {"Length(" + Joined("Repeat(\"x\";65535)", "+", 600) + ")", "<error 81>"},
      {"Insert(\"ab\";Repeat(\"x\";65535);2)", "xab" + std::string(kMaxTextLength - 3, 'x')},
      {"ReplaceAll(Repeat(\"x\";65535);\"x\";\"yy\")", std::string(kMaxTextLength, 'y')},
      {"Replace(Repeat(\"x\";65535);\"x\";\"yy\")", "yy" + std::string(kMaxTextLength - 2, 'x')},
      {"Length(Repeat(Repeat(\"ab\";65535);65535))", "65535"},
      {"Repeat(\"abc\";4)", "abcabcabcabc"},
      {"Repeat(\"abc\";21846)", Joined("abc", "", 21845)},
      {"Repeat(\"abcd\";16384)", Joined("abcd", "", 16384).substr(0, kMaxTextLength)},
      // Many bounded texts together still have a bound: 5 * 256 texts of 64 KiB exceed it.
      {"Max(" + Joined("Max(" + Joined("Length(Repeat(\"x\";65535))", ";", 256) + ")", ";", 5) +
           ")",
       "<error 81>"},
      {"Max(" + Joined("Max(" + Joined("Length(Repeat(\"x\";65535))", ";", 256) + ")", ";", 3) +
           ")",
       "65535"},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Formula.substr(0, 60));
    EXPECT_EQ(Compute(test.Formula), test.Expected);
  }
}

TEST(FormulaLimits, ReferencesThroughManyDeepFormulasFailWith81) {
  // Each column nests a thousand calls around a reference to the next column.
  TTestRecord record;
  constexpr int kColumns = 10;
  for (int column = 1; column <= kColumns; ++column) {
    record.AddVirtual(Nested("Str(", std::to_string(column + 1).insert(0, 1, '#'), ")", 999));
  }
  record.AddStored("x");
  EXPECT_EQ(record.Value(kColumns - 2), "x");
  EXPECT_EQ(record.Value(1), "<error 81>");
}

}  // namespace
}  // namespace mervanta::test
