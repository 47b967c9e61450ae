#pragma once

#include <optional>
#include <string>

#include "support/commit_place.h"
#include "support/file_descriptor.h"

namespace mervanta {

// A file for new content or a backup in a commit place. Where the file system allows it has
// no name until it is complete and needed by name, so that a save cut short while writing
// leaves nothing behind; a name it still owns is removed when it goes.
class TTemporaryFile {
 public:
  TTemporaryFile() = default;
  ~TTemporaryFile();
  TTemporaryFile(TTemporaryFile&& other) noexcept;
  TTemporaryFile& operator=(TTemporaryFile&& other) noexcept;
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  // Makes the file, readable and writable by the user only; its name will end in
  // ".mervanta-" + kind. 0 or the errno.
  int Create(const TCommitPlace& place, const char* kind);
  int Fd() const { return Fd_.Get(); }
  // Gives the file a fresh name in its place unless it has one; 0 or the errno.
  int GiveName();
  const std::string& Path() const { return Path_; }
  // The name now belongs to a journal or has replaced a file: it stays when this goes.
  void KeepName() { Owned_ = false; }

 private:
  void Remove();

  TFileDescriptor Fd_;
  std::optional<TCommitPlace> Place_;
  const char* Kind_ = "";
  std::string Path_;
  bool Owned_ = false;
};

}  // namespace mervanta
