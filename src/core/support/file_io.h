#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "support/file_descriptor.h"

namespace mervanta {

// The whole file as bytes; throws EMervantaError naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Opens an existing regular file (O_RDONLY or O_RDWR) without waiting for a FIFO's writer or
// touching a device: anything else is refused with "\"path\" is not a regular file". Throws
// EMervantaError naming the file.
TFileDescriptor OpenRegularFile(const std::string& path, int flags);
// As OpenRegularFile, but a failure of the system is answered with its errno (0: opened).
int TryOpenRegularFile(const std::string& path, int flags, TFileDescriptor& fd);
// The whole regular file; see OpenRegularFile.
std::string ReadRegularFile(const std::string& path);
// Everything from the descriptor's position to the end; `path` names it in a failure.
std::string ReadToEnd(int fd, const std::string& path);
// The same, handed over block by block.
void ReadInBlocks(int fd, const std::string& path,
                  const std::function<void(std::string_view)>& take);
[[noreturn]] void RaiseNotRegularFile(const std::string& path);

// Buffered output to an open descriptor; a failed write throws EMervantaError naming the file.
class TFileWriter {
 public:
  TFileWriter(int fd, std::string path) : Fd_(fd), Path_(std::move(path)) {}
  TFileWriter(const TFileWriter&) = delete;
  TFileWriter& operator=(const TFileWriter&) = delete;

  void Write(std::string_view bytes);
  void Write(char byte) {
    if (Used_ == sizeof Buffer_) Flush();
    Buffer_[Used_++] = byte;
  }
  void Flush();
  const std::string& Path() const { return Path_; }

 private:
  void WriteOut(const char* data, std::size_t size);

  int Fd_;
  std::string Path_;
  std::size_t Used_ = 0;
  char Buffer_[65536];
};

}  // namespace mervanta
