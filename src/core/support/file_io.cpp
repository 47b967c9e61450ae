#include "support/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "support/errors.h"
#include "support/file_system.h"

namespace mervanta {

namespace {

constexpr const char* kOpenFailed = "Cannot open file";

TFileDescriptor OpenFile(const std::string& path, int flags) {
  // A name with a NUL byte would reach the system cut short, naming another file.
  if (path.find('\0') != std::string::npos) RaiseFileError(kOpenFailed, path, ENOENT);
  TFileDescriptor fd(sys::Open(path.c_str(), flags));
  if (!fd.IsOpen()) RaiseFileError(kOpenFailed, path, errno);
  return fd;
}

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  TFileDescriptor fd = OpenFile(path, O_RDONLY);
  struct stat info {};
  if (::fstat(fd.Get(), &info) == 0 && S_ISDIR(info.st_mode)) {
    RaiseFileError(kOpenFailed, path, EISDIR);
  }
  return ReadToEnd(fd.Get(), path);
}

void RaiseNotRegularFile(const std::string& path) {
  throw EMervantaError("\"" + path + "\" is not a regular file");
}

int TryOpenRegularFile(const std::string& path, int flags, TFileDescriptor& fd) {
  if (path.find('\0') != std::string::npos) return ENOENT;
  // Looked at before opening, because opening a device can act on it.
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) RaiseNotRegularFile(path);
  fd = TFileDescriptor(sys::Open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY));
  if (!fd.IsOpen()) return errno;
  if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) RaiseNotRegularFile(path);
  return 0;
}

TFileDescriptor OpenRegularFile(const std::string& path, int flags) {
  TFileDescriptor fd;
  if (const int error = TryOpenRegularFile(path, flags, fd))
    RaiseFileError(kOpenFailed, path, error);
  return fd;
}

std::string ReadRegularFile(const std::string& path) {
  return ReadToEnd(OpenRegularFile(path, O_RDONLY).Get(), path);
}

void ReadInBlocks(int fd, const std::string& path,
                  const std::function<void(std::string_view)>& take) {
  char buffer[65536];
  for (;;) {
    const ssize_t n = sys::Read(fd, buffer, sizeof buffer);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseFileError("Cannot read file", path, errno);
    }
    take(std::string_view(buffer, static_cast<std::size_t>(n)));
  }
}

std::string ReadToEnd(int fd, const std::string& path) {
  std::string content;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && info.st_size > 0) {
    content.reserve(static_cast<std::size_t>(info.st_size));
  }
  ReadInBlocks(fd, path, [&content](std::string_view block) { content += block; });
  return content;
}

void TFileWriter::Write(std::string_view bytes) {
  if (bytes.size() > sizeof Buffer_ - Used_) {
    Flush();
    if (bytes.size() >= sizeof Buffer_) {
      WriteOut(bytes.data(), bytes.size());
      return;
    }
  }
  std::memcpy(Buffer_ + Used_, bytes.data(), bytes.size());
  Used_ += bytes.size();
}

void TFileWriter::Flush() {
  const std::size_t used = std::exchange(Used_, 0);
  WriteOut(Buffer_, used);
}

void TFileWriter::WriteOut(const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = sys::Write(Fd_, data, size);
    if (n < 0) {
      if (errno == EINTR) continue;
      RaiseFileError("Cannot write file", Path_, errno);
    }
    data += n;
    size -= static_cast<std::size_t>(n);
  }
}

}  // namespace mervanta
