#include "formula/methods_manager.h"

#include <iterator>

namespace mervanta {

namespace {

constexpr TFoMethodData kRegistry[] = {
    {"+", mkAdditive, 2, 2, TFoMethodId::Plus},
    {"-", mkAdditive, 2, 2, TFoMethodId::Minus},
    {"*", mkMultiplicative, 2, 2, TFoMethodId::Times},
    {"/", mkMultiplicative, 2, 2, TFoMethodId::Divide},
    {">", mkCompare, 2, 2, TFoMethodId::Greater},
    {">=", mkCompare, 2, 2, TFoMethodId::GreaterOrEqual},
    {"<", mkCompare, 2, 2, TFoMethodId::Less},
    {"<=", mkCompare, 2, 2, TFoMethodId::LessOrEqual},
    {"=", mkCompare, 2, 2, TFoMethodId::Equal},
    {"<>", mkCompare, 2, 2, TFoMethodId::NotEqual},
    {"If", mkFunction, 3, 3, TFoMethodId::If},
    {"Str", mkFunction, 1, 1, TFoMethodId::Str},
    {"Val", mkFunction, 1, 1, TFoMethodId::Val},
    {"Max", mkFunction, 2, 256, TFoMethodId::Max},
    {"Min", mkFunction, 2, 256, TFoMethodId::Min},
    {"Length", mkFunction, 1, 1, TFoMethodId::Length},
    {"Not", mkFunction, 1, 1, TFoMethodId::Not},
    {"And", mkFunction, 2, 256, TFoMethodId::And},
    {"Or", mkFunction, 2, 256, TFoMethodId::Or},
    {"UpperCase", mkFunction, 1, 1, TFoMethodId::UpperCase},
    {"LowerCase", mkFunction, 1, 1, TFoMethodId::LowerCase},
    {"Trim", mkFunction, 1, 1, TFoMethodId::Trim},
    {"TrimLeft", mkFunction, 1, 1, TFoMethodId::TrimLeft},
    {"TrimRight", mkFunction, 1, 1, TFoMethodId::TrimRight},
    {"Copy", mkFunction, 3, 3, TFoMethodId::Copy},
    {"CopyLeft", mkFunction, 2, 2, TFoMethodId::CopyLeft},
    {"CopyRight", mkFunction, 2, 2, TFoMethodId::CopyRight},
    {"Delete", mkFunction, 3, 3, TFoMethodId::Delete},
    {"DeleteLeft", mkFunction, 2, 2, TFoMethodId::DeleteLeft},
    {"DeleteRight", mkFunction, 2, 2, TFoMethodId::DeleteRight},
    {"Insert", mkFunction, 3, 3, TFoMethodId::Insert},
    {"Repeat", mkFunction, 2, 2, TFoMethodId::Repeat},
    {"Round", mkFunction, 1, 2, TFoMethodId::Round},
    {"Pos", mkFunction, 2, 2, TFoMethodId::Pos},
    {"Cos", mkFunction, 1, 1, TFoMethodId::Cos},
    {"Sin", mkFunction, 1, 1, TFoMethodId::Sin},
    {"Sqr", mkFunction, 1, 1, TFoMethodId::Sqr},
    {"Sqrt", mkFunction, 1, 1, TFoMethodId::Sqrt},
    {"Int", mkFunction, 1, 1, TFoMethodId::Int},
    {"Abs", mkFunction, 1, 1, TFoMethodId::Abs},
    {"Pi", mkFunction, 0, 0, TFoMethodId::Pi},
    {"Sign", mkFunction, 1, 1, TFoMethodId::Sign},
    {"Power", mkFunction, 2, 2, TFoMethodId::Power},
    {"Reverse", mkFunction, 1, 1, TFoMethodId::Reverse},
    {"Format", mkFunction, 2, 2, TFoMethodId::Format},
    {"Char", mkFunction, 2, 2, TFoMethodId::Char},
    {"LineCount", mkFunction, 1, 1, TFoMethodId::LineCount},
    {"Line", mkFunction, 2, 2, TFoMethodId::Line},
    {"Replace", mkFunction, 3, 3, TFoMethodId::Replace},
    {"ReplaceAll", mkFunction, 3, 3, TFoMethodId::ReplaceAll},
    {"PosCount", mkFunction, 2, 2, TFoMethodId::PosCount},
};

constexpr TFoMethodData kUnaryPlus{"+", mkSign, 1, 1, TFoMethodId::UnaryPlus};
constexpr TFoMethodData kUnaryMinus{"-", mkSign, 1, 1, TFoMethodId::UnaryMinus};

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
