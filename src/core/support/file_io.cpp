#include "support/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "support/errors.h"

namespace mervanta {

std::string ReadWholeFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) RaiseFileError("Cannot open file", path, errno);
  std::string content;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
    ::close(fd);
    RaiseFileError("Cannot open file", path, EISDIR);
  }
  if (info.st_size > 0) content.reserve(static_cast<std::size_t>(info.st_size));
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      int error = errno;
      ::close(fd);
      RaiseFileError("Cannot read file", path, error);
    }
    content.append(buffer, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return content;
}

void TFileWriter::Write(std::string_view bytes) {
  if (bytes.size() > sizeof Buffer_ - Used_) {
    Flush();
    if (bytes.size() >= sizeof Buffer_) {
      Used_ = 0;
      const char* data = bytes.data();
      std::size_t left = bytes.size();
      while (left > 0) {
        ssize_t n = ::write(Fd_, data, left);
        if (n < 0) {
          if (errno == EINTR) continue;
          RaiseFileError("Cannot write file", Path_, errno);
        }
        data += n;
        left -= static_cast<std::size_t>(n);
      }
      return;
    }
  }
  std::memcpy(Buffer_ + Used_, bytes.data(), bytes.size());
  Used_ += bytes.size();
}

void TFileWriter::Flush() {
  std::size_t done = 0;
  while (done < Used_) {
    ssize_t n = ::write(Fd_, Buffer_ + done, Used_ - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseFileError("Cannot write file", Path_, errno);
    }
    done += static_cast<std::size_t>(n);
  }
  Used_ = 0;
}

}  // namespace mervanta
