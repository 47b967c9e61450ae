#include "formula/methods_manager.h"

#include <gtest/gtest.h>

#include "formula/formula_calculator.h"

namespace mervanta::test {
namespace {

TEST(MethodsManager, ListsTheNamesInRegistrationOrder) {
  const TStringList expected = {
      "+",          "-",           "*",         "/",      ">",         ">=",        "<",
      "<=",         "=",           "<>",        "If",     "Str",       "Val",       "Max",
      "Min",        "Length",      "Not",       "And",    "Or",        "UpperCase", "LowerCase",
      "Trim",       "TrimLeft",    "TrimRight", "Copy",   "CopyLeft",  "CopyRight", "Delete",
      "DeleteLeft", "DeleteRight", "Insert",    "Repeat", "Round",     "Pos",       "Cos",
      "Sin",        "Sqr",         "Sqrt",      "Int",    "Abs",       "Pi",        "Sign",
      "Power",      "Reverse",     "Format",    "Char",   "LineCount", "Line",      "Replace",
      "ReplaceAll", "PosCount"};
  const TStringList names = TFormulaCalculator::MethodNames();
  EXPECT_EQ(names, expected);
}

TEST(MethodsManager, FindsEntriesIgnoringCaseAndTheSignsApart) {
  struct TCase {
    const char* Name;
    bool IsSign;
    std::int32_t Id;  // 0: not found
    TFoMethodKind Kind;
    std::int32_t MinArgs;
    std::int32_t MaxArgs;
  };
  const TCase cases[] = {
      {"If", false, 11, mkFunction, 3, 3},
      {"if", false, 11, mkFunction, 3, 3},
      {"IF", false, 11, mkFunction, 3, 3},
      {"pOsCoUnT", false, 52, mkFunction, 2, 2},
      {"Max", false, 14, mkFunction, 2, 256},
      {"Round", false, 33, mkFunction, 1, 2},
      {"Pi", false, 42, mkFunction, 0, 0},
      {"+", false, 1, mkAdditive, 2, 2},
      {"/", false, 4, mkMultiplicative, 2, 2},
      {"<>", false, 10, mkCompare, 2, 2},
      {"+", true, -2, mkSign, 1, 1},
      {"-", true, -1, mkSign, 1, 1},
      {"*", true, 0, mkSign, 0, 0},
      {"If", true, 0, mkSign, 0, 0},
      {"==", false, 0, mkSign, 0, 0},
      {"Ifx", false, 0, mkSign, 0, 0},
      {"", false, 0, mkSign, 0, 0},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const TFoMethodData* method = TMethodsManager::Find(test.Name, test.IsSign);
    if (test.Id == 0) {
      EXPECT_EQ(method, nullptr);
      continue;
    }
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->Id, test.Id);
    EXPECT_EQ(method->Kind, test.Kind);
    EXPECT_EQ(method->MinArgs, test.MinArgs);
    EXPECT_EQ(method->MaxArgs, test.MaxArgs);
  }
}

}  // namespace
}  // namespace mervanta::test
