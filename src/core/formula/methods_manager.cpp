#include "formula/methods_manager.h"

#include <iterator>

namespace mervanta {

namespace {

constexpr TFoMethodData kRegistry[] = {
    {"+", TFoMethodKind::Additive, 2, 2, TFoMethodId::Plus},
    {"-", TFoMethodKind::Additive, 2, 2, TFoMethodId::Minus},
    {"*", TFoMethodKind::Multiplicative, 2, 2, TFoMethodId::Times},
    {"/", TFoMethodKind::Multiplicative, 2, 2, TFoMethodId::Divide},
    {">", TFoMethodKind::Compare, 2, 2, TFoMethodId::Greater},
    {">=", TFoMethodKind::Compare, 2, 2, TFoMethodId::GreaterOrEqual},
    {"<", TFoMethodKind::Compare, 2, 2, TFoMethodId::Less},
    {"<=", TFoMethodKind::Compare, 2, 2, TFoMethodId::LessOrEqual},
    {"=", TFoMethodKind::Compare, 2, 2, TFoMethodId::Equal},
    {"<>", TFoMethodKind::Compare, 2, 2, TFoMethodId::NotEqual},
    {"If", TFoMethodKind::Function, 3, 3, TFoMethodId::If},
    {"Str", TFoMethodKind::Function, 1, 1, TFoMethodId::Str},
    {"Val", TFoMethodKind::Function, 1, 1, TFoMethodId::Val},
    {"Max", TFoMethodKind::Function, 2, 256, TFoMethodId::Max},
    {"Min", TFoMethodKind::Function, 2, 256, TFoMethodId::Min},
    {"Length", TFoMethodKind::Function, 1, 1, TFoMethodId::Length},
    {"Not", TFoMethodKind::Function, 1, 1, TFoMethodId::Not},
    {"And", TFoMethodKind::Function, 2, 256, TFoMethodId::And},
    {"Or", TFoMethodKind::Function, 2, 256, TFoMethodId::Or},
    {"UpperCase", TFoMethodKind::Function, 1, 1, TFoMethodId::UpperCase},
    {"LowerCase", TFoMethodKind::Function, 1, 1, TFoMethodId::LowerCase},
    {"Trim", TFoMethodKind::Function, 1, 1, TFoMethodId::Trim},
    {"TrimLeft", TFoMethodKind::Function, 1, 1, TFoMethodId::TrimLeft},
    {"TrimRight", TFoMethodKind::Function, 1, 1, TFoMethodId::TrimRight},
    {"Copy", TFoMethodKind::Function, 3, 3, TFoMethodId::Copy},
    {"CopyLeft", TFoMethodKind::Function, 2, 2, TFoMethodId::CopyLeft},
    {"CopyRight", TFoMethodKind::Function, 2, 2, TFoMethodId::CopyRight},
    {"Delete", TFoMethodKind::Function, 3, 3, TFoMethodId::Delete},
    {"DeleteLeft", TFoMethodKind::Function, 2, 2, TFoMethodId::DeleteLeft},
    {"DeleteRight", TFoMethodKind::Function, 2, 2, TFoMethodId::DeleteRight},
    {"Insert", TFoMethodKind::Function, 3, 3, TFoMethodId::Insert},
    {"Repeat", TFoMethodKind::Function, 2, 2, TFoMethodId::Repeat},
    {"Round", TFoMethodKind::Function, 1, 2, TFoMethodId::Round},
    {"Pos", TFoMethodKind::Function, 2, 2, TFoMethodId::Pos},
    {"Cos", TFoMethodKind::Function, 1, 1, TFoMethodId::Cos},
    {"Sin", TFoMethodKind::Function, 1, 1, TFoMethodId::Sin},
    {"Sqr", TFoMethodKind::Function, 1, 1, TFoMethodId::Sqr},
    {"Sqrt", TFoMethodKind::Function, 1, 1, TFoMethodId::Sqrt},
    {"Int", TFoMethodKind::Function, 1, 1, TFoMethodId::Int},
    {"Abs", TFoMethodKind::Function, 1, 1, TFoMethodId::Abs},
    {"Pi", TFoMethodKind::Function, 0, 0, TFoMethodId::Pi},
    {"Sign", TFoMethodKind::Function, 1, 1, TFoMethodId::Sign},
    {"Power", TFoMethodKind::Function, 2, 2, TFoMethodId::Power},
    {"Reverse", TFoMethodKind::Function, 1, 1, TFoMethodId::Reverse},
    {"Format", TFoMethodKind::Function, 2, 2, TFoMethodId::Format},
    {"Char", TFoMethodKind::Function, 2, 2, TFoMethodId::Char},
    {"LineCount", TFoMethodKind::Function, 1, 1, TFoMethodId::LineCount},
    {"Line", TFoMethodKind::Function, 2, 2, TFoMethodId::Line},
    {"Replace", TFoMethodKind::Function, 3, 3, TFoMethodId::Replace},
    {"ReplaceAll", TFoMethodKind::Function, 3, 3, TFoMethodId::ReplaceAll},
    {"PosCount", TFoMethodKind::Function, 2, 2, TFoMethodId::PosCount},
};

constexpr TFoMethodData kUnaryPlus{"+", TFoMethodKind::Sign, 1, 1, TFoMethodId::UnaryPlus};
constexpr TFoMethodData kUnaryMinus{"-", TFoMethodKind::Sign, 1, 1, TFoMethodId::UnaryMinus};

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

const TFoMethodData* TMethodsManager::Find(std::string_view name, TFoLookup lookup) {
  if (lookup == TFoLookup::Sign) {
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
