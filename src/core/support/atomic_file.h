#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "support/file_io.h"

namespace mervanta {

// Replaces the file at `path` (or the file a symbolic link there points to) with what `write`
// produces, as TFileCommit does for a set of one: the new file is written beside the old one,
// flushed to disk, given the old file's mode, owner, group and extended attributes and
// renamed over it, or the old file is rewritten in place after a backup where renaming would
// lose any of that. On any failure the old file is untouched, no temporary file is left and
// EMervantaError names the file and the reason; anything but a regular file is refused.
void ReplaceFileAtomically(const std::string& path, const std::function<void(TFileWriter&)>& write);
void ReplaceFileAtomically(const std::string& path, std::string_view content);

}  // namespace mervanta
