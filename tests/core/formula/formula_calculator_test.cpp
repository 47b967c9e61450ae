#include "formula/formula_calculator.h"

#include <gtest/gtest.h>

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "formula/formula_error.h"
#include "test_record.h"
#include "test_support/pinned_locale.h"

namespace mervanta::test {
namespace {

struct TFormulaCase {
  const char* Formula;
  const char* Expected;
};

// Computes `formula` as a virtual sixth column of a record whose five stored cells are
// "5", "", "abc", "1,5" and "10".
std::string Compute(std::string_view formula) {
  TTestRecord record;
  for (const char* cell : {"5", "", "abc", "1,5", "10"}) record.AddStored(cell);
  record.AddVirtual(formula);
  return record.Value(6);
}

const TFormulaCase kLanguageCases[] = {
    // Reading and parsing.
    {"", ""},
    {" \t\r\n ", ""},
    {"abc", "<error 41>"},
    {"Pi", "3.14159265358979"},
    {"pi()", "3.14159265358979"},
    {"1,5+1", "2.5"},
    {"Min(1,5;2)", "1.5"},
    {"Max(1,5;2)", "2"},
    {"3 4", "<error 46>"},
    {"(1+2", "<error 44>"},
    {"1+2)", "<error 43>"},
    {"1 & 2", "<error 42>"},
    {"\"abc", "<error 45>"},
    {"\"say \"\"hi\"\"\"", "say \"hi\""},
    {"\"\"", ""},
    {"--5", "<error 46>"},
    {"-(-5)", "5"},
    {"2*-3", "-6"},
    {"-2*3", "-6"},
    {"1- -2", "3"},
    {"If(1;2)", "<error 49>"},
    {"Not(1;2)", "<error 50>"},
    {"Max(;1)", "<error 46>"},
    {"Max(1;;2)", "<error 46>"},
    {"Max(1;2;)", "2"},
    {"Max()", "<error 49>"},
    {"#", "<error 48>"},
    {"#99999999999", "<error 48>"},
    {"#0", "<error 83>"},
    {"#999", "<error 83>"},
    {"#6+1", "<error 82>"},
    {"1==2", "<error 41>"},
    {"1=<2", "<error 41>"},
    {"8-3-2", "3"},
    {"8/4/2", "1"},
    {"2+3*4", "14"},
    {"(2+3)*4", "20"},
    {"((((7))))", "7"},
    {"1<2<3", "1"},
    {"3>2>1", "0"},
    {"#1+#2>10", "0"},
    {"#5+#1>100", "1"},
    {"If(#1>0;\"yes\";\"no\")", "yes"},
    {"1,000.5", "<error 47>"},
    {"1.2.3", "<error 47>"},
    {"1234567890123456789012345", "<error 47>"},
    {"Pi 1", "<error 46>"},
    {"Length 5", "<error 46>"},
    {"Max(1)(2)", "<error 46>"},
    // The first fault met in parsing order wins: arguments before what follows the call.
    {"Max(abc;1)(2)", "<error 41>"},
    {"Max(1.2.3;1)(2)", "<error 47>"},
    {"Max(#;1)(2)", "<error 48>"},
    {"Max(1 2;abc)(3)", "<error 46>"},
    {"Max(1;2)(abc)", "<error 41>"},
    {"Max(1;2)(3;abc)", "<error 46>"},
    {"Not(1)(2;3)", "<error 46>"},
    {"Max(abc;2)3", "<error 46>"},
    {"If(1.2.3;abc;#)", "<error 47>"},
    {"If(1;#;abc)", "<error 48>"},
    {"1.2.3+abc", "<error 47>"},
    {"#+1.2.3", "<error 48>"},
    {"(1 2)*abc", "<error 46>"},
    {"()", "<error 46>"},
    {"1;2", "<error 46>"},
    {"1*/2", "<error 46>"},
    {"1+", "<error 46>"},
    {"*1", "<error 46>"},
    {"Length(1)Length(2)", "<error 46>"},
    {"Nope(1)", "<error 41>"},
    // Values, conversions and evaluation faults.
    {"#2*2", "<error 85>"},
    {"#1+1", "51"},
    {"Val(#1)+1", "6"},
    {"#4*2", "3"},
    {"1/0", "<error 84>"},
    {"0/0", "<error 89>"},
    {"Sqrt(-1)", "<error 89>"},
    {"Length(#7)", "<error 83>"},
    {"If(0;1/0;\"ok\")", "ok"},
    {"And(0;1/0)", "<error 84>"},
    {"Or(1;1/0)", "<error 84>"},
    {"\"abc\"=\"ABC\"", "0"},
    {"\"abc\"<>\"ABC\"", "1"},
    {"1=\"1\"", "1"},
    {"\"10\">\"9\"", "1"},
    {"1=\"abc\"", "<error 85>"},
    {"\"abc\"=1", "0"},
    {"\"abc\">1", "<error 85>"},
    {"1<>2", "1"},
    {"2>=2", "1"},
    {"2<=1", "0"},
    {"1/3", "0.333333333333333"},
    {"2/3", "0.666666666666667"},
    {"1/100000", "0.00001"},
    {"1/1000000", "1E-6"},
    {"999999999999999", "999999999999999"},
    {"1000000000000000", "1E+15"},
    {"-(0)", "0"},
    {"Power(10;4000)*Power(10;4000)", "<error 86>"},
    {"Power(10;-4000)/Power(10;4000)", "<error 87>"},
    // The function library.
    {"+5", "5"},
    {"-#1", "-5"},
    {"If(1;2;\"x\")+1", "3"},
    {"If(0;2;\"x\")+1", "x1"},
    {"If(\"a\";1;2)", "<error 85>"},
    {"Str(12)+3", "123"},
    // Joins built in place, whatever the kinds along the chain.
    {"\"a\"+1+2", "a12"},
    {"1+2+\"a\"", "<error 85>"},
    {"\"a\"+1-2", "<error 85>"},
    {"\"a\"+If(0;\"x\";2)+3+\"b\"", "a23b"},
    {"UpperCase(#3)+\"-\"+#1+If(1;\"x\";2)", "ABC-5x"},
    {"#2+#2+#2", ""},
    {"Length(#3+#1+#3)", "7"},
    {"LowerCase(\"AB\"+#3)", "ababc"},
    {"If(#1>1;#3+#1;#1+#3)+\"!\"", "abc5!"},
    {"If(#1>1;1;\"x\")+#3", "<error 85>"},
    {"#3+If(#1>1;1;\"x\")+2", "abc12"},
    {"Val(\"2,5\")*2", "5"},
    {"Val(\"\")", "<error 85>"},
    {"Val(Repeat(\" \";600)+\"5\")+1", "6"},
    {"Val(Repeat(\"0\";600)+\"1,5\")*2", "3"},
    {"Repeat(\"0\";600)+\"7\">6", "1"},
    {"Val(Repeat(\"0\";600)+\"x\")", "<error 85>"},
    {"Max(3;7;5)", "7"},
    {"Min(3;7;5)", "3"},
    {"Max(1;\"x\";1/0)", "<error 84>"},
    {"Min(\"x\";1/0)", "<error 85>"},
    {"Length(\"abc\")", "3"},
    {"Length(#2)", "0"},
    {"Length(123)", "3"},
    {"Not(0)", "1"},
    {"Not(5)", "0"},
    {"And(1;2;3)", "1"},
    {"And(1;0;3)", "0"},
    {"Or(0;0)", "0"},
    {"Or(0;\"x\";1/0)", "<error 84>"},
    {"UpperCase(\"\xE9t\xE9 5\")", "\xC9T\xC9 5"},
    {"LowerCase(\"\xC9T\xC9\")", "\xE9t\xE9"},
    {"UpperCase(5)", "5"},
    // Lengths around the blocks the mapping works in.
    {"UpperCase(\"abcdefg\")", "ABCDEFG"},
    {"UpperCase(\"abcdefgh\")", "ABCDEFGH"},
    {"\"x\"+UpperCase(\"abcdefghi\")", "xABCDEFGHI"},
    {"LowerCase(\"ABCDEFGHIJKLMNOP\")", "abcdefghijklmnop"},
    {"LowerCase(\"ABCDEFGHIJKLMNOPQ\xC9\")", "abcdefghijklmnopq\xE9"},
    {"Trim(\" \t a b \r\n\")", "a b"},
    {"TrimLeft(\"  a \")", "a "},
    {"TrimRight(\"  a \")", "  a"},
    {"Copy(\"abcdef\";0;2)", "ab"},
    {"Copy(\"abcdef\";3;2)", "cd"},
    {"Copy(\"abcdef\";5;10)", "ef"},
    {"Copy(\"abc\";4;1)", ""},
    {"Copy(\"abc\";1;0)", ""},
    {"Copy(\"abc\";-5;2)", "ab"},
    {"Copy(\"abc\";1,5;1)", "b"},
    {"Copy(\"abc\";2,5;1)", "b"},
    {"Copy(\"abc\";Power(10;30);1)", "<error 85>"},
    {"Char(\"abc\";Power(2;63))", "<error 85>"},
    {"Char(\"abc\";Power(2;63)-0,5)", "<error 85>"},
    {"Char(\"abc\";Power(2;63)-1)", ""},
    {"Char(\"abc\";-Power(2;63))", "a"},
    {"CopyLeft(\"abc\";2)", "ab"},
    {"CopyLeft(\"abc\";-1)", ""},
    {"CopyRight(\"abc\";2)", "bc"},
    {"CopyRight(\"abc\";5)", "abc"},
    {"CopyRight(\"abc\";0)", ""},
    {"Delete(\"abcdef\";2;3)", "aef"},
    {"Delete(\"abcdef\";5;10)", "abcd"},
    {"Delete(\"abc\";0;1)", "abc"},
    {"Delete(\"abc\";4;1)", "abc"},
    {"Delete(\"abc\";1;0)", "abc"},
    {"DeleteLeft(\"abcd\";1)", "bcd"},
    {"DeleteLeft(\"abc\";5)", ""},
    {"DeleteLeft(\"abc\";-1)", "abc"},
    {"DeleteRight(\"abcd\";1)", "abc"},
    {"DeleteRight(\"abc\";5)", ""},
    {"DeleteRight(\"abc\";-2)", "abc"},
    {"Insert(\"XY\";\"abc\";2)", "aXYbc"},
    {"Insert(\"XY\";\"abc\";0)", "XYabc"},
    {"Insert(\"XY\";\"abc\";4)", "abcXY"},
    {"Insert(\"XY\";\"abc\";9)", "abcXY"},
    {"Repeat(\"ab\";3)", "ababab"},
    {"Repeat(\"ab\";0)", ""},
    {"Repeat(\"ab\";-1)", ""},
    {"Round(2.5)", "2"},
    {"Round(3.5)", "4"},
    {"Round(-2.5)", "-2"},
    {"Round(2.5;0)", "3"},
    {"Round(-2.5;0)", "-3"},
    {"Round(1234.5678;2)", "1234.57"},
    {"Round(1234;-2)", "1200"},
    {"Round(1234.5;256)", "1235"},
    {"Pos(\"cd\";\"abcdcd\")", "3"},
    {"Pos(\"x\";\"abc\")", "0"},
    {"Pos(\"\";\"abc\")", "0"},
    {"Pos(\"a\";\"\")", "0"},
    {"Cos(0)", "1"},
    {"Sin(0)", "0"},
    {"Sin(Pi/2)", "1"},
    {"Cos(Power(10;30))", "0"},
    {"Sqr(3)", "9"},
    {"Sqr(-1,5)", "2.25"},
    {"Sqrt(16)", "4"},
    {"Int(-2,7)", "-2"},
    {"Int(2,7)", "2"},
    {"Abs(-3)", "3"},
    {"Sign(-5)", "-1"},
    {"Sign(0)", "0"},
    {"Sign(0,1)", "1"},
    {"Power(2;10)", "1024"},
    {"Power(2;-2)", "0.25"},
    {"Power(5;0)", "1"},
    {"Power(0;0)", "1"},
    {"Power(-2;3)", "-8"},
    {"Power(4;0,5)", "2"},
    {"Power(0;0,5)", "0"},
    {"Power(1;2000000000)", "1"},
    {"Power(-8;1/3)", "<error 89>"},
    {"Power(0;-1)", "<error 84>"},
    {"Power(0;-0,5)", "<error 84>"},
    {"Power(10;5000)", "<error 86>"},
    {"Power(10;-5000)", "<error 87>"},
    {"Reverse(\"abc\")", "cba"},
    {"Format(\"0.00\";3,14159)", "3.14"},
    {"Format(\"#,##0.00\";#1*1000)", "5,000.00"},
    {"Format(\"0\";#3)", "<error 85>"},
    {"Char(\"abc\";2)", "b"},
    {"Char(\"abc\";0)", "a"},
    {"Char(\"abc\";4)", ""},
    {"LineCount(\"\")", "0"},
    {"LineCount(\"a\")", "1"},
    {"LineCount(\"a\r\nb\nc\rd\r\n\")", "4"},
    {"LineCount(\"a\r\n\r\n\")", "2"},
    {"LineCount(\"\n\")", "1"},
    {"Line(\"a\r\nb\nc\";2)", "b"},
    {"Line(\"a\r\nb\nc\";3)", "c"},
    {"Line(\"a\r\nb\";0)", ""},
    {"Line(\"a\r\nb\";3)", ""},
    {"Replace(\"a-b-c\";\"-\";\"+\")", "a+b-c"},
    {"Replace(\"abc\";\"\";\"x\")", "abc"},
    {"Replace(\"abc\";\"B\";\"x\")", "abc"},
    {"ReplaceAll(\"a-b-c\";\"-\";\"+\")", "a+b+c"},
    {"ReplaceAll(\"aaa\";\"aa\";\"b\")", "ba"},
    {"ReplaceAll(\"abc\";\"\";\"x\")", "abc"},
    {"PosCount(\"aa\";\"aaaa\")", "2"},
    {"PosCount(\"b\";\"abcb\")", "2"},
    {"PosCount(\"\";\"abc\")", "0"},
};

TEST(FormulaCalculator, ComputesTheLanguage) {
  for (const TFormulaCase& test : kLanguageCases) {
    SCOPED_TRACE(test.Formula);
    EXPECT_EQ(Compute(test.Formula), test.Expected);
  }
}

TEST(FormulaCalculator, NumbersFollowTheLocaleDecimalSeparator) {
  TLocaleSettings settings = PinnedLocaleSettings();
  settings.DecimalSeparator = ',';
  settings.ThousandSeparator = '.';
  TScopedLocale locale(settings);
  const TFormulaCase cases[] = {
      {"1/3", "0,333333333333333"},
      {"Val(\"2.5\")+1", "3,5"},
      {"#4*2", "3"},
      {"Format(\"#,##0.00\";1234,5)", "1.234,50"},
  };
  for (const TFormulaCase& test : cases) {
    SCOPED_TRACE(test.Formula);
    EXPECT_EQ(Compute(test.Formula), test.Expected);
  }
}

TEST(FormulaCalculator, ReferencesComputeOtherVirtualColumns) {
  TTestRecord record;
  record.AddStored("1");
  record.AddVirtual("#1+1");
  record.AddVirtual("Val(#2)*2");
  EXPECT_EQ(record.Value(2), "11");
  EXPECT_EQ(record.Value(3), "22");
}

TEST(FormulaCalculator, CircularReferencesShowError82AndLeaveTheCalculatorUsable) {
  TTestRecord record;
  record.AddStored("1");
  TFormulaCalculator& second = record.AddVirtual("#3");
  record.AddVirtual("#2");
  record.AddVirtual("#4");
  EXPECT_EQ(record.Value(2), "<error 82>");
  EXPECT_EQ(record.Value(3), "<error 82>");
  EXPECT_EQ(record.Value(4), "<error 82>");
  second.SetFormula("#1+1");
  EXPECT_EQ(record.Value(2), "11");
  EXPECT_EQ(record.Value(3), "11");
}

TEST(FormulaCalculator, CalculateRaises82ToAResolverThatEntersItAgain) {
  struct TReentering : TFoLinkResolver {
    TFormulaCalculator* Calculator = nullptr;
    int Code = 0;
    bool ResolveLink(std::int32_t, const void* context, std::string& buffer,
                     std::string_view& text) override {
      try {
        Calculator->Calculate(context, buffer, *this);
      } catch (const EFormulaError& error) {
        Code = static_cast<int>(error.Code());
      }
      text = "answered";
      return true;
    }
  } resolver;
  TFormulaCalculator calculator;
  resolver.Calculator = &calculator;
  calculator.SetFormula("#1");
  std::string result;
  calculator.Calculate(nullptr, result, resolver);
  EXPECT_EQ(resolver.Code, 82);
  EXPECT_EQ(result, "answered");
}

TEST(FormulaCalculator, AsksForEachColumnOnceBeforehandAndTheRestOnlyWhenReached) {
  struct TRecordingResolver : TFoLinkResolver {
    std::vector<std::string> Beforehand;  // "#N", with "?" when only a branch refers to it
    std::vector<std::int32_t> Later;
    bool AnswerBeforehand = true;
    void ResolveStoredLinks(const void*, std::span<const TFoLinkColumn> columns,
                            std::span<TFoLinkText> texts) override {
      Beforehand.clear();
      for (std::size_t i = 0; i < columns.size(); ++i) {
        Beforehand.push_back("#" + std::to_string(columns[i].Column) +
                             (columns[i].Certain ? "" : "?"));
        // Odd columns are "stored" and answered now.
        if (AnswerBeforehand && columns[i].Column % 2 != 0) texts[i] = {"s", true};
      }
    }
    bool ResolveLink(std::int32_t column, const void*, std::string&,
                     std::string_view& text) override {
      Later.push_back(column);
      text = "c";
      return true;
    }
  } resolver;
  TFormulaCalculator calculator;
  calculator.SetFormula("If(#5=\"s\";#3+#2+#3;#4)+#2+#9");
  std::string result;
  calculator.Calculate(nullptr, result, resolver);
  EXPECT_EQ(result, "scscs");
  EXPECT_EQ(resolver.Beforehand, (std::vector<std::string>{"#2", "#3?", "#4?", "#5", "#9"}));
  EXPECT_EQ(resolver.Later, (std::vector<std::int32_t>{2, 2})) << "#4 is not reached";

  // What was answered for one calculation is not taken for the next.
  resolver.AnswerBeforehand = false;
  resolver.Later.clear();
  calculator.Calculate(nullptr, result, resolver);
  EXPECT_EQ(result, "ccc");
  EXPECT_EQ(resolver.Later, (std::vector<std::int32_t>{5, 4, 2, 9}));
}

TEST(FormulaCalculator, TellsWhichColumnsEveryCalculationReads) {
  struct TCertainty : TFoLinkResolver {
    std::string Seen;
    void ResolveStoredLinks(const void*, std::span<const TFoLinkColumn> columns,
                            std::span<TFoLinkText>) override {
      for (const TFoLinkColumn& column : columns) Seen += column.Certain ? 'c' : 'b';
    }
    bool ResolveLink(std::int32_t, const void*, std::string&, std::string_view& text) override {
      text = "1";
      return true;
    }
  };
  // One letter per column referred to, ascending: c for certain, b for only in a branch.
  const std::pair<const char*, const char*> cases[] = {
      {"#1+#2", "cc"},
      {"If(#1;#2;#3)", "cbb"},
      {"If(If(#1;#2;#3);#4;#5)", "cbbbb"},
      {"If(#3;If(#1;#2;#4);#2)+#4", "bbcc"},
      {"Max(#2;If(1;#1;0))", "bc"},
      {"#1", "c"},
  };
  for (const auto& [formula, expected] : cases) {
    SCOPED_TRACE(formula);
    TCertainty resolver;
    TFormulaCalculator calculator;
    calculator.SetFormula(formula);
    std::string result;
    calculator.Calculate(nullptr, result, resolver);
    EXPECT_EQ(resolver.Seen, expected);
  }
}

TEST(FormulaCalculator, KeepsAParseFaultUntilTheFormulaChanges) {
  TTestRecord record;
  TFormulaCalculator& calculator = record.AddVirtual("1+");
  EXPECT_EQ(calculator.ErrorCode(), TFormulaErrorCode::Syntax);
  EXPECT_EQ(record.Value(1), "<error 46>");
  EXPECT_EQ(record.Value(1), "<error 46>");
  calculator.SetFormula("1+1");
  EXPECT_EQ(calculator.ErrorCode(), TFormulaErrorCode::None);
  EXPECT_EQ(record.Value(1), "2");
  calculator.Clear();
  EXPECT_EQ(record.Value(1), "");
}

TEST(FormulaCalculator, HandsTheContextToTheResolverAndReplacesTheResult) {
  struct TContextEcho : TFoLinkResolver {
    bool ResolveLink(std::int32_t, const void* context, std::string&,
                     std::string_view& text) override {
      text = *static_cast<const std::string*>(context);
      return true;
    }
  } resolver;
  TFormulaCalculator calculator;
  calculator.SetFormula("#1+\"!\"");
  std::string context = "hello";
  std::string result = "old text";
  calculator.Calculate(&context, result, resolver);
  EXPECT_EQ(result, "hello!");
}

}  // namespace
}  // namespace mervanta::test
