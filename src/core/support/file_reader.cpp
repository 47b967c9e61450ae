#include "support/file_reader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "support/errors.h"

namespace mervanta {

namespace {

TFileDescriptor OpenForReading(const std::string& path) {
  TFileDescriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!fd.IsOpen()) RaiseFileError("Cannot open file", path, errno);
  return fd;
}

}  // namespace

TFileReader::TFileReader(const std::string& path) : TFileReader(OpenForReading(path), path) {}

TFileReader::TFileReader(TFileDescriptor fd, const std::string& path)
    : Path_(path), Fd_(std::move(fd)) {
  struct stat info {};
  if (::fstat(Fd_.Get(), &info) == 0 && S_ISDIR(info.st_mode)) {
    RaiseFileError("Cannot open file", path, EISDIR);
  }
  Size_ = info.st_size > 0 ? static_cast<std::uint64_t>(info.st_size) : 0;
  // The kernel reads ahead further for a file read from start to end.
  ::posix_fadvise(Fd_.Get(), 0, 0, POSIX_FADV_SEQUENTIAL);
}

std::size_t TFileReader::Read(char* into, std::size_t size) {
  std::size_t done = 0;
  while (done < size) {
    const ssize_t n = ::read(Fd_.Get(), into + done, size - done);
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
  if (::lseek(Fd_.Get(), 0, SEEK_SET) < 0) RaiseFileError("Cannot read file", Path_, errno);
}

}  // namespace mervanta
