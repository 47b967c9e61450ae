#pragma once

#include <string_view>

namespace mervanta {

// Whether the words are equal, ignoring the case of A to Z.
bool SameWord(std::string_view a, std::string_view b);

// The whole number the user wrote for `what`; raises EUsageError, naming `what`, for any other
// text and for a number outside `least` to `most`.
int IntegerArgument(std::string_view text, std::string_view what, int least, int most);

}  // namespace mervanta
