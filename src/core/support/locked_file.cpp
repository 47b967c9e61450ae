#include "support/locked_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace mervanta {

TLockedFile::TLockedFile(TLockedFile&& other) noexcept
    : Fd_(std::exchange(other.Fd_, -1)),
      LastError_(other.LastError_),
      Path_(std::move(other.Path_)) {}

TLockedFile& TLockedFile::operator=(TLockedFile&& other) noexcept {
  if (this != &other) {
    Release();
    Fd_ = std::exchange(other.Fd_, -1);
    LastError_ = other.LastError_;
    Path_ = std::move(other.Path_);
  }
  return *this;
}

TLockedFile::TStatus TLockedFile::Acquire(const std::string& path) {
  Release();
  int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
  if (fd < 0) {
    LastError_ = errno;
    return TStatus::Failed;
  }
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    LastError_ = errno;
    ::close(fd);
    return LastError_ == EWOULDBLOCK ? TStatus::LockedByOther : TStatus::Failed;
  }
  Fd_ = fd;
  Path_ = path;
  LastError_ = 0;
  return TStatus::Held;
}

void TLockedFile::Release() {
  if (Fd_ >= 0) ::close(Fd_);
  Fd_ = -1;
}

void TLockedFile::Adopt(int fd, const std::string& path) {
  Release();
  Fd_ = fd;
  Path_ = path;
}

}  // namespace mervanta
