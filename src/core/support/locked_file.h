#pragma once

#include <string>

namespace mervanta {

// A data file held open for reading and writing with an exclusive lock, so that a second
// copy of the program can tell it must open the table read-only.
class TLockedFile {
 public:
  enum class TStatus { Held, LockedByOther, Failed };

  TLockedFile() = default;
  ~TLockedFile() { Release(); }
  TLockedFile(TLockedFile&& other) noexcept;
  TLockedFile& operator=(TLockedFile&& other) noexcept;
  TLockedFile(const TLockedFile&) = delete;
  TLockedFile& operator=(const TLockedFile&) = delete;

  // Opens the file (it must exist) and takes the lock. Failed leaves the reason in LastError.
  TStatus Acquire(const std::string& path);
  void Release();

  bool IsHeld() const { return Fd_ >= 0; }
  int Handle() const { return Fd_; }
  const std::string& Path() const { return Path_; }
  int LastError() const { return LastError_; }

  // Takes over a descriptor that already holds the lock (the new file of an atomic replace)
  // and lets the old one go.
  void Adopt(int fd, const std::string& path);

 private:
  int Fd_ = -1;
  int LastError_ = 0;
  std::string Path_;
};

}  // namespace mervanta
