#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "support/color.h"
#include "support/numbers.h"

namespace mervanta {

// The attributes of an element, in insertion order, with typed reading and writing.
class TParamList {
 public:
  using TParam = std::pair<std::string, std::string>;

  int IndexOf(std::string_view name) const;
  bool Exists(std::string_view name) const { return IndexOf(name) >= 0; }
  int ParamCount() const { return static_cast<int>(Params_.size()); }
  const TParam& Param(int index) const { return Params_[static_cast<std::size_t>(index)]; }
  bool HasParams() const { return !Params_.empty(); }

  // An absent attribute or an empty value gives the default.
  std::string ReadString(std::string_view name, std::string_view defaultValue = {}) const;
  // A range applies when maximum differs from minimum; outside it, the default.
  int ReadInteger(std::string_view name, int defaultValue, int maximum = 0, int minimum = 0) const;
  // True exactly for "Y".
  bool ReadBool(std::string_view name, bool defaultValue) const;
  TColor ReadColor(std::string_view name, TColor defaultValue) const;
  TNumber ReadFloat(std::string_view name, TNumber defaultValue) const;

  void WriteString(std::string_view name, std::string_view value);
  void WriteInteger(std::string_view name, int value);
  void WriteBool(std::string_view name, bool value);
  void WriteColor(std::string_view name, TColor value);
  void WriteFloat(std::string_view name, TNumber value);

  // Takes a whole list at once, as if written one by one: a repeated name keeps its first
  // place and its last value. Linear however long the list, which writing one by one is not.
  void SetParams(std::vector<TParam> params);

  void DeleteParam(std::string_view name);
  void ClearParams() { std::vector<TParam>().swap(Params_); }

 private:
  const std::string* Find(std::string_view name) const;
  std::vector<TParam> Params_;
};

// An element: a name, attributes and owned children. No text content.
class TXmlTag : public TParamList {
 public:
  explicit TXmlTag(std::string name = {}) : Name(std::move(name)) {}
  // Deep trees from hostile files are taken apart without recursion.
  ~TXmlTag();
  TXmlTag(const TXmlTag&) = delete;
  TXmlTag& operator=(const TXmlTag&) = delete;

  std::string Name;

  TXmlTag* AddChild(std::string_view name);
  TXmlTag* FindChild(std::string_view name) const;
  // FindChild, or AddChild when there is none.
  TXmlTag* Child(std::string_view name);
  void DeleteChild(std::string_view name);
  // Every child of that name, in one pass.
  void DeleteChildren(std::string_view name);
  int Count() const { return static_cast<int>(Children_.size()); }
  TXmlTag* ChildAt(int index) const { return Children_[static_cast<std::size_t>(index)].get(); }
  bool HasChildren() const { return !Children_.empty(); }
  void ClearChildren();

  // No attributes, and every child empty too; empty elements are not written.
  bool IsEmpty() const;

 private:
  std::vector<std::unique_ptr<TXmlTag>> Children_;
};

}  // namespace mervanta
