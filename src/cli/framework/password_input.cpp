#include "framework/password_input.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "support/errors.h"

namespace mervanta {

namespace {

constexpr const char* kStandardInput = "-";

// Closes what it opened; standard input stays open.
class TInputFile {
 public:
  explicit TInputFile(const std::string& path)
      : Owned_(path != kStandardInput),
        Fd_(Owned_ ? ::open(path.c_str(), O_RDONLY | O_CLOEXEC) : STDIN_FILENO) {
    if (Fd_ < 0) RaiseFileError("Cannot open file", path, errno);
  }
  ~TInputFile() {
    if (Owned_) ::close(Fd_);
  }
  TInputFile(const TInputFile&) = delete;
  TInputFile& operator=(const TInputFile&) = delete;

  int Fd() const { return Fd_; }

 private:
  bool Owned_;
  int Fd_;
};

}  // namespace

std::optional<std::string> ReadPasswordLine(int fd, const std::string& source) {
  std::string line;
  for (char c = 0;;) {
    const ssize_t got = ::read(fd, &c, 1);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) RaiseFileError("Cannot read", source, errno);
    if (got == 0 && line.empty()) return std::nullopt;
    if (got == 0 || c == '\n') break;
    line += c;
  }
  if (line.ends_with('\r')) line.pop_back();
  return line;
}

std::string ReadPasswordFile(const std::string& path) {
  const TInputFile file(path);
  return ReadPasswordLine(file.Fd(), path).value_or("");
}

}  // namespace mervanta
