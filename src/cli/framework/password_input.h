#pragma once

#include <optional>
#include <string>

namespace mervanta {

// One line from the descriptor without its line end, read byte by byte so that nothing after
// it is taken; none when the input ends before any byte. `source` names the input in the
// message of a failed read.
std::optional<std::string> ReadPasswordLine(int fd, const std::string& source);

// The first line of the file; "-" reads standard input. A password kept there is not shown to
// other users, as one on the command line is in the process list.
std::string ReadPasswordFile(const std::string& path);

}  // namespace mervanta
