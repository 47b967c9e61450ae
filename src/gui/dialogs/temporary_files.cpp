#include "dialogs/temporary_files.h"

#include <cstdio>

namespace mervanta {

TTemporaryFiles::~TTemporaryFiles() {
  for (const std::string& path : Paths_) std::remove(path.c_str());
}

}  // namespace mervanta
