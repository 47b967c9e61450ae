#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "support/date_time.h"

namespace mervanta {

// The date and time macros in menu order; a text names one between two "$" signs ("$Date$").
inline constexpr std::array<std::string_view, 8> kMacroNames = {"Date", "Time", "Year",   "Month",
                                                                "Day",  "Hour", "Minute", "Second"};

// Replaces every "$Name$" (any letter case) by its value for `moment`, or for now when no
// moment is given; names are replaced one after the other in the order above.
std::string ExpandMacros(std::string_view text, std::optional<TDateTime> moment = std::nullopt);

}  // namespace mervanta
