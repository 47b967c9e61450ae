#include "support/xml_tag.h"

#include <unordered_map>

namespace mervanta {

int TParamList::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < Params_.size(); ++i) {
    if (Params_[i].first == name) return static_cast<int>(i);
  }
  return -1;
}

const std::string* TParamList::Find(std::string_view name) const {
  int index = IndexOf(name);
  return index < 0 ? nullptr : &Params_[static_cast<std::size_t>(index)].second;
}

std::string TParamList::ReadString(std::string_view name, std::string_view defaultValue) const {
  const std::string* value = Find(name);
  return value == nullptr || value->empty() ? std::string(defaultValue) : *value;
}

int TParamList::ReadInteger(std::string_view name, int defaultValue, int maximum,
                            int minimum) const {
  const std::string* text = Find(name);
  int value;
  if (text == nullptr || !TryParseInteger(*text, value)) return defaultValue;
  if (maximum != minimum && (value < minimum || value > maximum)) return defaultValue;
  return value;
}

bool TParamList::ReadBool(std::string_view name, bool defaultValue) const {
  const std::string* text = Find(name);
  return text == nullptr ? defaultValue : *text == "Y";
}

TColor TParamList::ReadColor(std::string_view name, TColor defaultValue) const {
  const std::string* text = Find(name);
  TColor color;
  return text != nullptr && TryTextToColor(*text, color) ? color : defaultValue;
}

TNumber TParamList::ReadFloat(std::string_view name, TNumber defaultValue) const {
  const std::string* text = Find(name);
  TNumber value;
  return text != nullptr && TryParseFloat(*text, '.', value) ? value : defaultValue;
}

void TParamList::WriteString(std::string_view name, std::string_view value) {
  int index = IndexOf(name);
  if (index >= 0) {
    Params_[static_cast<std::size_t>(index)].second = value;
  } else {
    Params_.emplace_back(name, value);
  }
}

void TParamList::WriteInteger(std::string_view name, int value) {
  WriteString(name, std::to_string(value));
}

void TParamList::WriteBool(std::string_view name, bool value) {
  WriteString(name, value ? "Y" : "N");
}

void TParamList::WriteColor(std::string_view name, TColor value) {
  WriteString(name, ColorToText(value));
}

void TParamList::WriteFloat(std::string_view name, TNumber value) {
  WriteString(name, FormatGeneral(value, 15, '.'));
}

void TParamList::SetParams(std::vector<TParam> params) {
  if (params.size() > 1) {
    // The names stay in place while the index looks at them; only values move.
    std::unordered_map<std::string_view, std::size_t> first;
    first.reserve(params.size());
    std::vector<bool> repeated(params.size(), false);
    for (std::size_t i = 0; i < params.size(); ++i) {
      const auto [found, added] = first.try_emplace(params[i].first, i);
      if (!added) {
        params[found->second].second = std::move(params[i].second);
        repeated[i] = true;
      }
    }
    std::size_t kept = 0;
    for (std::size_t i = 0; i < params.size(); ++i) {
      if (repeated[i]) continue;
      if (kept != i) params[kept] = std::move(params[i]);
      ++kept;
    }
    params.erase(params.begin() + static_cast<std::ptrdiff_t>(kept), params.end());
  }
  Params_ = std::move(params);
}

void TParamList::DeleteParam(std::string_view name) {
  int index = IndexOf(name);
  if (index < 0) return;
  Params_.erase(Params_.begin() + index);
  if (Params_.empty()) ClearParams();
}

TXmlTag::~TXmlTag() {
  ClearChildren();
}

void TXmlTag::ClearChildren() {
  // Move every descendant into one flat list first, so destroying them never recurses.
  std::vector<std::unique_ptr<TXmlTag>> pending = std::move(Children_);
  Children_.clear();
  for (std::size_t i = 0; i < pending.size(); ++i) {
    auto& grandchildren = pending[i]->Children_;
    for (auto& child : grandchildren) pending.push_back(std::move(child));
    grandchildren.clear();
  }
}

TXmlTag* TXmlTag::AddChild(std::string_view name) {
  Children_.push_back(std::make_unique<TXmlTag>(std::string(name)));
  return Children_.back().get();
}

TXmlTag* TXmlTag::FindChild(std::string_view name) const {
  for (const auto& child : Children_) {
    if (child->Name == name) return child.get();
  }
  return nullptr;
}

TXmlTag* TXmlTag::Child(std::string_view name) {
  TXmlTag* child = FindChild(name);
  return child != nullptr ? child : AddChild(name);
}

void TXmlTag::DeleteChild(std::string_view name) {
  for (auto it = Children_.begin(); it != Children_.end(); ++it) {
    if ((*it)->Name == name) {
      std::unique_ptr<TXmlTag> doomed = std::move(*it);
      Children_.erase(it);
      if (Children_.empty()) Children_.shrink_to_fit();
      return;
    }
  }
}

void TXmlTag::DeleteChildren(std::string_view name) {
  std::erase_if(Children_,
                [&](const std::unique_ptr<TXmlTag>& child) { return child->Name == name; });
  if (Children_.empty()) Children_.shrink_to_fit();
}

bool TXmlTag::IsEmpty() const {
  std::vector<const TXmlTag*> pending{this};
  while (!pending.empty()) {
    const TXmlTag* tag = pending.back();
    pending.pop_back();
    if (tag->HasParams()) return false;
    for (const auto& child : tag->Children_) pending.push_back(child.get());
  }
  return true;
}

}  // namespace mervanta
