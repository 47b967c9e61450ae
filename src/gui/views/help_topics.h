#pragma once

#include <span>
#include <string_view>

namespace mervanta {

// Every topic a help button of the program opens; the help folder holds "<topic>.html" for
// each, and "index.html" for the empty topic.
std::span<const std::string_view> HelpTopics();

bool IsHelpTopic(std::string_view topic);

}  // namespace mervanta
