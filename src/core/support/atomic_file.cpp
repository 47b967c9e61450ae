#include "support/atomic_file.h"

#include <fcntl.h>
#include <limits.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <time.h>

#include <cerrno>
#include <utility>
#include <vector>

#include "support/errors.h"
#include "support/file_names.h"
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

// A name no file in the folder has yet, beside the target: ".name.XXXXXX".
std::string TemporaryName(const std::string& target, unsigned attempt) {
  static unsigned long long counter = 0;
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  unsigned long long seed = static_cast<unsigned long long>(now.tv_nsec) ^
                            (static_cast<unsigned long long>(::getpid()) << 20) ^
                            (++counter * 0x9E3779B97F4A7C15ull) ^ attempt;
  static constexpr char kLetters[] =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  std::string suffix;
  for (int i = 0; i < 6; ++i, seed /= 62) suffix += kLetters[seed % 62];
  return FolderOf(target) + "/." + std::string(FileNameOf(target)) + "." + suffix;
}

// The new content's file. Where the file system allows, it has no name until the content is
// complete, so a save that is killed half-way leaves nothing behind; otherwise it is a hidden
// file beside the target, removed again unless the replace went through.
class TTemporaryFile {
 public:
  explicit TTemporaryFile(const std::string& target) : Target_(target) {
    Fd_ = ::open(FolderOf(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (Fd_ >= 0) return;
    Path_ = FolderOf(target) + "/." + std::string(FileNameOf(target)) + ".XXXXXX";
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

  // Gives the complete file a temporary name and renames it over the target.
  void ReplaceTarget(const std::string& reportedPath) {
    if (Path_.empty()) LinkIntoFolder(reportedPath);
    if (::rename(Path_.c_str(), Target_.c_str()) != 0) {
      RaiseFileError(kSaveFailed, reportedPath, errno);
    }
    Path_.clear();
  }
  // Hands the descriptor of the replaced file over.
  int Release() { return std::exchange(Fd_, -1); }

 private:
  void LinkIntoFolder(const std::string& reportedPath) {
    const std::string self = "/proc/self/fd/" + std::to_string(Fd_);
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
      const std::string name = TemporaryName(Target_, attempt);
      int rc = ::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW);
      if (rc != 0 && errno == ENOENT) {
        // Without /proc the descriptor can still be linked by those allowed to.
        rc = ::linkat(Fd_, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH);
      }
      if (rc == 0) {
        Path_ = name;
        return;
      }
      if (errno != EEXIST) RaiseFileError(kSaveFailed, reportedPath, errno);
    }
    RaiseFileError(kSaveFailed, reportedPath, EEXIST);
  }

  std::string Target_;
  std::string Path_;  // empty while the file has no name
  int Fd_ = -1;
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
  temporary.ReplaceTarget(path);
  const int committed = temporary.Release();
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
