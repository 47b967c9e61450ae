#include "support/atomic_file.h"

#include "support/file_commit.h"

namespace mervanta {

void ReplaceFileAtomically(const std::string& path,
                           const std::function<void(TFileWriter&)>& write) {
  TFileCommit commit(path, nullptr);
  commit.Add(path, write);
  commit.Commit();
}

void ReplaceFileAtomically(const std::string& path, std::string_view content) {
  ReplaceFileAtomically(path, [content](TFileWriter& writer) { writer.Write(content); });
}

}  // namespace mervanta
