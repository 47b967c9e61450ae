#include "formula/methods_manager.h"

#include <iterator>

namespace mervanta {

namespace {

constexpr TFoMethodData kRegistry[] = {
    {"+", mkAdditive, 2, 2, kPlusId},
    {"-", mkAdditive, 2, 2, 2},
    {"*", mkMultiplicative, 2, 2, 3},
    {"/", mkMultiplicative, 2, 2, 4},
    {">", mkCompare, 2, 2, 5},
    {">=", mkCompare, 2, 2, 6},
    {"<", mkCompare, 2, 2, 7},
    {"<=", mkCompare, 2, 2, 8},
    {"=", mkCompare, 2, 2, 9},
    {"<>", mkCompare, 2, 2, 10},
    {"If", mkFunction, 3, 3, kIfId},
    {"Str", mkFunction, 1, 1, 12},
    {"Val", mkFunction, 1, 1, 13},
    {"Max", mkFunction, 2, 256, 14},
    {"Min", mkFunction, 2, 256, 15},
    {"Length", mkFunction, 1, 1, 16},
    {"Not", mkFunction, 1, 1, 17},
    {"And", mkFunction, 2, 256, 18},
    {"Or", mkFunction, 2, 256, 19},
    {"UpperCase", mkFunction, 1, 1, 20},
    {"LowerCase", mkFunction, 1, 1, 21},
    {"Trim", mkFunction, 1, 1, 22},
    {"TrimLeft", mkFunction, 1, 1, 23},
    {"TrimRight", mkFunction, 1, 1, 24},
    {"Copy", mkFunction, 3, 3, 25},
    {"CopyLeft", mkFunction, 2, 2, 26},
    {"CopyRight", mkFunction, 2, 2, 27},
    {"Delete", mkFunction, 3, 3, 28},
    {"DeleteLeft", mkFunction, 2, 2, 29},
    {"DeleteRight", mkFunction, 2, 2, 30},
    {"Insert", mkFunction, 3, 3, 31},
    {"Repeat", mkFunction, 2, 2, 32},
    {"Round", mkFunction, 1, 2, 33},
    {"Pos", mkFunction, 2, 2, 35},
    {"Cos", mkFunction, 1, 1, 36},
    {"Sin", mkFunction, 1, 1, 37},
    {"Sqr", mkFunction, 1, 1, 38},
    {"Sqrt", mkFunction, 1, 1, 39},
    {"Int", mkFunction, 1, 1, 40},
    {"Abs", mkFunction, 1, 1, 41},
    {"Pi", mkFunction, 0, 0, 42},
    {"Sign", mkFunction, 1, 1, 43},
    {"Power", mkFunction, 2, 2, 44},
    {"Reverse", mkFunction, 1, 1, 45},
    {"Format", mkFunction, 2, 2, 46},
    {"Char", mkFunction, 2, 2, 47},
    {"LineCount", mkFunction, 1, 1, 48},
    {"Line", mkFunction, 2, 2, 49},
    {"Replace", mkFunction, 3, 3, 50},
    {"ReplaceAll", mkFunction, 3, 3, 51},
    {"PosCount", mkFunction, 2, 2, 52},
};

constexpr TFoMethodData kUnaryPlus{"+", mkSign, 1, 1, -2};
constexpr TFoMethodData kUnaryMinus{"-", mkSign, 1, 1, -1};

char FoldCase(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) return false;
  }
  return true;
}

}  // namespace

const TFoMethodData* TMethodsManager::Find(std::string_view name, bool isSign) {
  if (isSign) {
    if (name == "+") return &kUnaryPlus;
    if (name == "-") return &kUnaryMinus;
    return nullptr;
  }
  for (const TFoMethodData& method : kRegistry) {
    if (SameName(method.Name, name)) return &method;
  }
  return nullptr;
}

TStringList TMethodsManager::Names() {
  TStringList names;
  names.reserve(std::size(kRegistry));
  for (const TFoMethodData& method : kRegistry) names.emplace_back(method.Name);
  return names;
}

}  // namespace mervanta
