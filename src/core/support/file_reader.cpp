#include "support/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "support/errors.h"

namespace mervanta {

TFileReader::TFileReader(const std::string& path) : Path_(path) {
  Fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd_ < 0) RaiseFileError("Cannot open file", path, errno);
  struct stat info {};
  if (::fstat(Fd_, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(Fd_);
    RaiseFileError("Cannot open file", path, EISDIR);
  }
  Size_ = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  // The kernel reads ahead further for a file read from start to end.
  ::posix_fadvise(Fd_, 0, 0, POSIX_FADV_SEQUENTIAL);
}

TFileReader::~TFileReader() {
  ::close(Fd_);
}

std::size_t TFileReader::Read(char* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(Fd_, into + done, size - done);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseFileError("Cannot read file", Path_, errno);
    }
    done += static_cast<std::size_t>(n);
  }
  return done;
}

void TFileReader::Rewind() {
  if (::lseek(Fd_, 0, SEEK_SET) < 0) RaiseFileError("Cannot read file", Path_, errno);
}

}  // namespace mervanta
