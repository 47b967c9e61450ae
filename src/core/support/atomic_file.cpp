#include "support/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "support/errors.h"
#include "support/locked_file.h"

namespace mervanta {

namespace {

constexpr const char* kSaveFailed = "Cannot save file";

// Where the bytes really go: a symbolic link is kept and its target replaced.
std::string ResolveTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) != nullptr) return resolved;
  }
  return path;
}

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

mode_t NewFileMode(const std::string& target) {
  struct stat info {};
  if (::stat(target.c_str(), &info) == 0) return info.st_mode & 07777;
  mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Removes the temporary file unless the replace went through.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::string& target) {
    std::size_t slash = target.rfind('/');
    std::string name = slash == std::string::npos ? target : target.substr(slash + 1);
    Path_ = FolderOf(target) + "/." + name + ".XXXXXX";
    std::vector<char> pattern(Path_.begin(), Path_.end());
    pattern.push_back('\0');
    Fd_ = ::mkostemp(pattern.data(), O_CLOEXEC);
    if (Fd_ < 0) RaiseFileError(kSaveFailed, target, errno);
    Path_ = pattern.data();
  }
  ~TTemporaryFile() {
    if (Fd_ >= 0) ::close(Fd_);
    if (!Path_.empty()) ::unlink(Path_.c_str());
  }
  TTemporaryFile(const TTemporaryFile&) = delete;
  TTemporaryFile& operator=(const TTemporaryFile&) = delete;

  int Fd() const { return Fd_; }
  const std::string& Path() const { return Path_; }
  // The file now lives under its final name; hands the descriptor over.
  int Commit() {
    Path_.clear();
    return std::exchange(Fd_, -1);
  }

 private:
  int Fd_ = -1;
  std::string Path_;
};

}  // namespace

void ReplaceFileAtomically(const std::string& path, const std::function<void(TFileWriter&)>& write,
                           TLockedFile* lock) {
  const std::string target = ResolveTarget(path);
  TTemporaryFile temporary(target);
  const int fd = temporary.Fd();
  if (::fchmod(fd, NewFileMode(target)) != 0) RaiseFileError(kSaveFailed, path, errno);
  {
    TFileWriter writer(fd, path);
    write(writer);
    writer.Flush();
  }
  if (::fsync(fd) != 0) RaiseFileError(kSaveFailed, path, errno);
  if (lock != nullptr && lock->IsHeld() && ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    RaiseFileError(kSaveFailed, path, errno);
  }
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
    RaiseFileError(kSaveFailed, path, errno);
  }
  const int committed = temporary.Commit();
  SyncFolder(FolderOf(target));
  if (lock != nullptr && lock->IsHeld()) {
    lock->Adopt(committed, lock->Path());
  } else {
    ::close(committed);
  }
}

void ReplaceFileAtomically(const std::string& path, std::string_view content, TLockedFile* lock) {
  ReplaceFileAtomically(
      path, [content](TFileWriter& writer) { writer.Write(content); }, lock);
}

}  // namespace mervanta
