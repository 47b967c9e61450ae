#include "framework/arguments.h"

#include "framework/usage_error.h"

namespace mervanta {

namespace {

const TOptionSpec* FindSpec(std::span<const std::span<const TOptionSpec>> specs,
                            std::string_view name) {
  for (const auto& list : specs) {
    for (const TOptionSpec& spec : list) {
      if (spec.Name == name) return &spec;
    }
  }
  return nullptr;
}

}  // namespace

TArguments TArguments::Parse(std::span<const std::string> words,
                             std::span<const std::span<const TOptionSpec>> specs, TParseStop stop) {
  TArguments result;
  bool plainOnly = false;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    const bool isOption = !plainOnly && word.size() > 2 && word.starts_with("--");
    if (!isOption) {
      if (!plainOnly && word == "--") {
        plainOnly = true;
        continue;
      }
      if (stop == TParseStop::AtFirstWord) {
        result.Rest_ = words.subspan(i);
        return result;
      }
      result.Words_.push_back(word);
      continue;
    }
    const std::string_view text = std::string_view(word).substr(2);
    const std::size_t equals = text.find('=');
    const std::string_view name = text.substr(0, equals);
    const TOptionSpec* spec = FindSpec(specs, name);
    if (spec == nullptr) throw EUsageError("Unknown option \"" + word + "\"");
    std::string value;
    if (spec->ValueName.empty()) {
      if (equals != std::string_view::npos) {
        throw EUsageError("The option \"--" + std::string(name) + "\" takes no value");
      }
    } else if (equals != std::string_view::npos) {
      value = text.substr(equals + 1);
    } else if (i + 1 < words.size()) {
      value = words[++i];
    } else {
      throw EUsageError("The option \"--" + std::string(name) + "\" needs a value");
    }
    result.Options_.emplace_back(spec->Name, std::move(value));
  }
  return result;
}

bool TArguments::Has(std::string_view name) const {
  return Value(name) != nullptr;
}

const std::string* TArguments::Value(std::string_view name) const {
  for (auto it = Options_.rbegin(); it != Options_.rend(); ++it) {
    if (it->first == name) return &it->second;
  }
  return nullptr;
}

std::vector<std::string> TArguments::Values(std::string_view name) const {
  std::vector<std::string> values;
  for (const auto& [option, value] : Options_) {
    if (option == name) values.push_back(value);
  }
  return values;
}

void TArguments::ExpectWords(std::size_t least, std::size_t most) const {
  if (Words_.size() < least) throw EUsageError("Too few arguments");
  if (Words_.size() > most) throw EUsageError("Unexpected argument \"" + Words_[most] + "\"");
}

}  // namespace mervanta
