#pragma once

#include <string>

#include "support/file_descriptor.h"

namespace mervanta {

// A file held open with an exclusive lock: a table's data file, so that a second copy of the
// program can tell it must open the table read-only.
class TLockedFile {
 public:
  enum class TStatus { Held, LockedByOther, Failed };
  // Held for writing, a write-protected file fails; held only against other writers, it does not.
  enum class TAccess { Write, Read };

  TLockedFile() = default;
  TLockedFile(TLockedFile&& other) noexcept = default;
  TLockedFile& operator=(TLockedFile&& other) noexcept = default;
  TLockedFile(const TLockedFile&) = delete;
  TLockedFile& operator=(const TLockedFile&) = delete;

  // Opens the file (it must exist and be a regular file, else EMervantaError) and takes the
  // lock. A save by another holder may rename a new file over the path meanwhile, leaving
  // the lock of a file nobody reads any more: the lock is only held once the path still
  // names the locked file. Failed leaves the reason in LastError.
  TStatus Acquire(const std::string& path, TAccess access = TAccess::Write);
  void Release();

  bool IsHeld() const { return Fd_.IsOpen(); }
  int Handle() const { return Fd_.Get(); }
  const std::string& Path() const { return Path_; }
  int LastError() const { return LastError_; }

  // Takes over a descriptor that already holds the lock (the new file of a save that renamed
  // it over the path) and lets the old one go.
  void Adopt(TFileDescriptor fd);

 private:
  TFileDescriptor Fd_;
  int LastError_ = 0;
  std::string Path_;
};

}  // namespace mervanta
