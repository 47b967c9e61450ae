#pragma once

#include <sys/types.h>

#include <cstddef>

namespace mervanta {

// The kinds of system call that opening and saving a file make.
enum class TFileCall {
  Open,
  Read,
  Write,
  Sync,
  Truncate,
  Rename,
  Link,
  Unlink,
  ChangeMode,
  ChangeOwner,
  Attribute,
  Lock,
  MakeFolder,
};
inline constexpr int kFileCallKinds = static_cast<int>(TFileCall::MakeFolder) + 1;

// Told of every call before it is made; a non-zero answer makes the call fail with that errno
// instead. Tests install one to fail each step of a save in turn.
class TFileCallObserver {
 public:
  virtual int Called(TFileCall call) = 0;

 protected:
  virtual ~TFileCallObserver() = default;
};

// Returns the observer that was installed; null removes it.
TFileCallObserver* SetFileCallObserver(TFileCallObserver* observer);

// The system calls of the file layer, each failing as the system's does (-1 and errno).
namespace sys {

int Open(const char* path, int flags, mode_t mode = 0);
ssize_t Read(int fd, void* buffer, std::size_t size);
ssize_t Write(int fd, const void* bytes, std::size_t size);
int Sync(int fd);
int Truncate(int fd, off_t size);
int Rename(const char* from, const char* to);
// Gives an open file without a name (O_TMPFILE) the name `path`.
int LinkOpenFile(int fd, const char* path);
int Unlink(const char* path);
int ChangeMode(int fd, mode_t mode);
int ChangeOwner(int fd, uid_t owner, gid_t group);
// Extended attributes: read from a path without following a final link, written to a file.
ssize_t ListAttributes(const char* path, char* names, std::size_t size);
ssize_t GetAttribute(const char* path, const char* name, void* value, std::size_t size);
ssize_t ListAttributes(int fd, char* names, std::size_t size);
ssize_t GetAttribute(int fd, const char* name, void* value, std::size_t size);
int SetAttribute(int fd, const char* name, const void* value, std::size_t size);
int RemoveAttribute(int fd, const char* name);
int Lock(int fd, int operation);
int MakeFolder(const char* path, mode_t mode);

}  // namespace sys

}  // namespace mervanta
