#pragma once

#include <sys/stat.h>

#include <string>

namespace mervanta {

// Gives the new file open as `fd` the owner, group and extended attributes (ACLs among them)
// of the file at `path`, whose status is `old`, and takes away attributes the old file does
// not have. False when any of it cannot be given: the old file must then be rewritten in place
// to keep what the user gave it.
bool GiveAttributes(const std::string& path, const struct stat& old, int fd);

// The mode a file made now gets: 0666 less the umask.
mode_t NewFileMode();

}  // namespace mervanta
