#include "formula/methods_manager.h"

#include <gtest/gtest.h>

#include <optional>

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
  using enum TFoLookup;
  struct TCase {
    const char* Name;
    TFoLookup Lookup;
    std::optional<TFoMethodId> Id;  // none: not found
    TFoMethodKind Kind;
    std::int32_t MinArgs;
    std::int32_t MaxArgs;
  };
  const TCase cases[] = {
      {"If", Named, TFoMethodId::If, TFoMethodKind::Function, 3, 3},
      {"if", Named, TFoMethodId::If, TFoMethodKind::Function, 3, 3},
      {"IF", Named, TFoMethodId::If, TFoMethodKind::Function, 3, 3},
      {"pOsCoUnT", Named, TFoMethodId::PosCount, TFoMethodKind::Function, 2, 2},
      {"Max", Named, TFoMethodId::Max, TFoMethodKind::Function, 2, 256},
      {"Round", Named, TFoMethodId::Round, TFoMethodKind::Function, 1, 2},
      {"Pi", Named, TFoMethodId::Pi, TFoMethodKind::Function, 0, 0},
      {"+", Named, TFoMethodId::Plus, TFoMethodKind::Additive, 2, 2},
      {"/", Named, TFoMethodId::Divide, TFoMethodKind::Multiplicative, 2, 2},
      {"<>", Named, TFoMethodId::NotEqual, TFoMethodKind::Compare, 2, 2},
      {"+", Sign, TFoMethodId::UnaryPlus, TFoMethodKind::Sign, 1, 1},
      {"-", Sign, TFoMethodId::UnaryMinus, TFoMethodKind::Sign, 1, 1},
      {"*", Sign, std::nullopt, TFoMethodKind::Sign, 0, 0},
      {"If", Sign, std::nullopt, TFoMethodKind::Sign, 0, 0},
      {"==", Named, std::nullopt, TFoMethodKind::Sign, 0, 0},
      {"Ifx", Named, std::nullopt, TFoMethodKind::Sign, 0, 0},
      {"", Named, std::nullopt, TFoMethodKind::Sign, 0, 0},
  };
  for (const TCase& test : cases) {
    SCOPED_TRACE(test.Name);
    const TFoMethodData* method = TMethodsManager::Find(test.Name, test.Lookup);
    if (!test.Id) {
      EXPECT_EQ(method, nullptr);
      continue;
    }
    ASSERT_NE(method, nullptr);
    EXPECT_EQ(method->Id, *test.Id);
    EXPECT_EQ(method->Kind, test.Kind);
    EXPECT_EQ(method->MinArgs, test.MinArgs);
    EXPECT_EQ(method->MaxArgs, test.MaxArgs);
  }
}

}  // namespace
}  // namespace mervanta::test
