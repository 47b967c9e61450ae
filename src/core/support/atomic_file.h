#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "support/file_io.h"

namespace mervanta {

class TLockedFile;

// Replaces the file at `path` (or the file a symbolic link there points to) with what `write`
// produces: a temporary file in the same folder is written, flushed to disk, given the old
// file's permissions and the lock (when `lock` holds one), and renamed over the old file;
// then the folder is flushed. On any failure the old file is untouched, the temporary file is
// removed and EMervantaError names the file and the reason.
void ReplaceFileAtomically(const std::string& path, const std::function<void(TFileWriter&)>& write,
                           TLockedFile* lock = nullptr);
void ReplaceFileAtomically(const std::string& path, std::string_view content,
                           TLockedFile* lock = nullptr);

}  // namespace mervanta
