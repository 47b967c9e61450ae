#pragma once

#include <string>
#include <string_view>

namespace mervanta {

// The whole file as bytes; throws EMervantaError naming the file when it cannot be read.
std::string ReadWholeFile(const std::string& path);

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
  int Fd_;
  std::string Path_;
  std::size_t Used_ = 0;
  char Buffer_[65536];
};

}  // namespace mervanta
