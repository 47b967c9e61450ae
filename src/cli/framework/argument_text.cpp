#include "framework/argument_text.h"

#include <algorithm>
#include <charconv>
#include <string>

#include "framework/usage_error.h"

namespace mervanta {

bool SameWord(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
  return std::ranges::equal(a, b, {}, lower, lower);
}

int IntegerArgument(std::string_view text, std::string_view what, int least, int most) {
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [stop, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || stop != end) {
    throw EUsageError("The " + std::string(what) + " \"" + std::string(text) +
                      "\" is not a whole number");
  }
  if (value < least || value > most) {
    throw EUsageError("The " + std::string(what) + " " + std::string(text) + " is not from " +
                      std::to_string(least) + " to " + std::to_string(most));
  }
  return value;
}

}  // namespace mervanta
