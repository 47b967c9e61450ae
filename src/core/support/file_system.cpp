#include "support/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <string>
#include <utility>

namespace mervanta {

namespace {

TFileCallObserver* Observer = nullptr;

// True when the observer fails the call; errno is then set.
bool Refused(TFileCall call) {
  if (Observer == nullptr) [[likely]] {
    return false;
  }
  const int error = Observer->Called(call);
  if (error == 0) return false;
  errno = error;
  return true;
}

}  // namespace

TFileCallObserver* SetFileCallObserver(TFileCallObserver* observer) {
  return std::exchange(Observer, observer);
}

namespace sys {

int Open(const char* path, int flags, mode_t mode) {
  if (Refused(TFileCall::Open)) return -1;
  return ::open(path, flags | O_CLOEXEC, mode);
}

ssize_t Read(int fd, void* buffer, std::size_t size) {
  if (Refused(TFileCall::Read)) return -1;
  return ::read(fd, buffer, size);
}

ssize_t Write(int fd, const void* bytes, std::size_t size) {
  if (Refused(TFileCall::Write)) return -1;
  return ::write(fd, bytes, size);
}

int Sync(int fd) {
  if (Refused(TFileCall::Sync)) return -1;
  return ::fsync(fd);
}

int Truncate(int fd, off_t size) {
  if (Refused(TFileCall::Truncate)) return -1;
  return ::ftruncate(fd, size);
}

int Rename(const char* from, const char* to) {
  if (Refused(TFileCall::Rename)) return -1;
  return ::rename(from, to);
}

int LinkOpenFile(int fd, const char* path) {
  if (Refused(TFileCall::Link)) return -1;
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, path, AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT) return -1;
  // Without /proc the descriptor can still be linked by those allowed to.
  return ::linkat(fd, "", AT_FDCWD, path, AT_EMPTY_PATH);
}

int Unlink(const char* path) {
  if (Refused(TFileCall::Unlink)) return -1;
  return ::unlink(path);
}

int ChangeMode(int fd, mode_t mode) {
  if (Refused(TFileCall::ChangeMode)) return -1;
  return ::fchmod(fd, mode);
}

int ChangeOwner(int fd, uid_t owner, gid_t group) {
  if (Refused(TFileCall::ChangeOwner)) return -1;
  return ::fchown(fd, owner, group);
}

ssize_t ListAttributes(const char* path, char* names, std::size_t size) {
  if (Refused(TFileCall::Attribute)) return -1;
  return ::llistxattr(path, names, size);
}

ssize_t GetAttribute(const char* path, const char* name, void* value, std::size_t size) {
  if (Refused(TFileCall::Attribute)) return -1;
  return ::lgetxattr(path, name, value, size);
}

ssize_t ListAttributes(int fd, char* names, std::size_t size) {
  if (Refused(TFileCall::Attribute)) return -1;
  return ::flistxattr(fd, names, size);
}

ssize_t GetAttribute(int fd, const char* name, void* value, std::size_t size) {
  if (Refused(TFileCall::Attribute)) return -1;
  return ::fgetxattr(fd, name, value, size);
}

int SetAttribute(int fd, const char* name, const void* value, std::size_t size) {
  if (Refused(TFileCall::Attribute)) return -1;
  return ::fsetxattr(fd, name, value, size, 0);
}

int RemoveAttribute(int fd, const char* name) {
  if (Refused(TFileCall::Attribute)) return -1;
  return ::fremovexattr(fd, name);
}

int Lock(int fd, int operation) {
  if (Refused(TFileCall::Lock)) return -1;
  return ::flock(fd, operation);
}

int MakeFolder(const char* path, mode_t mode) {
  if (Refused(TFileCall::MakeFolder)) return -1;
  return ::mkdir(path, mode);
}

}  // namespace sys

}  // namespace mervanta
