#include "support/locked_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include <cerrno>
#include <utility>

#include "support/file_io.h"
#include "support/file_system.h"

namespace mervanta {

namespace {

// Each retry follows a save that replaced the file; more in a row are a writer gone wild.
constexpr int kAttempts = 100;

bool StillNamed(const std::string& path, int fd) {
  struct stat held {
  }, named{};
  return ::fstat(fd, &held) == 0 && ::stat(path.c_str(), &named) == 0 &&
         held.st_dev == named.st_dev && held.st_ino == named.st_ino;
}

}  // namespace

TLockedFile::TStatus TLockedFile::Acquire(const std::string& path, TAccess access) {
  Release();
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    TFileDescriptor fd;
    LastError_ = TryOpenRegularFile(path, access == TAccess::Write ? O_RDWR : O_RDONLY, fd);
    if (LastError_ != 0) return TStatus::Failed;
    while (sys::Lock(fd.Get(), LOCK_EX | LOCK_NB) != 0) {
      if (errno == EINTR) continue;
      LastError_ = errno;
      return LastError_ == EWOULDBLOCK ? TStatus::LockedByOther : TStatus::Failed;
    }
    if (StillNamed(path, fd.Get())) {
      Fd_ = std::move(fd);
      Path_ = path;
      return TStatus::Held;
    }
  }
  LastError_ = EWOULDBLOCK;
  return TStatus::LockedByOther;
}

void TLockedFile::Release() {
  Fd_.Close();
}

void TLockedFile::Adopt(TFileDescriptor fd) {
  Fd_ = std::move(fd);
}

}  // namespace mervanta
