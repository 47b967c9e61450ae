#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mervanta {

// An option a command accepts, written "--Name" or, with a value, "--Name VALUE" or
// "--Name=VALUE".
struct TOptionSpec {
  std::string_view Name;
  // Empty for a flag.
  std::string_view ValueName;
  std::string_view Help;
};

// Where parsing stops: at the end of the words, or at the first plain word (the command's
// name after the global options).
enum class TParseStop : std::uint8_t { AtEnd, AtFirstWord };

// The words of a command line after the command's name: options, in the order given, and
// the other words. Options may stand anywhere before "--"; after it every word is plain.
class TArguments {
 public:
  // Raises EUsageError for an option that none of the lists knows and for a value missing
  // or given to a flag. Stopping AtFirstWord, parsing ends at the first plain word, which is
  // left in Rest() with everything after it.
  static TArguments Parse(std::span<const std::string> words,
                          std::span<const std::span<const TOptionSpec>> specs,
                          TParseStop stop = TParseStop::AtEnd);

  const std::vector<std::string>& Words() const { return Words_; }
  std::span<const std::string> Rest() const { return Rest_; }

  bool Has(std::string_view name) const;
  // The last value given to the option; null when it was not given.
  const std::string* Value(std::string_view name) const;
  // Every value given to the option, in order.
  std::vector<std::string> Values(std::string_view name) const;

  // Raises EUsageError unless there are between `least` and `most` plain words.
  void ExpectWords(std::size_t least, std::size_t most) const;
  const std::string& Word(std::size_t index) const { return Words_[index]; }

 private:
  std::vector<std::pair<std::string_view, std::string>> Options_;
  std::vector<std::string> Words_;
  std::span<const std::string> Rest_;
};

}  // namespace mervanta
