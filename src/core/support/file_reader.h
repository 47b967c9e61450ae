#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "support/file_descriptor.h"

namespace mervanta {

// A file read from its start in blocks, for loading a large file without holding its bytes
// whole. Opening and reading raise EMervantaError naming the file and the system's reason.
class TFileReader {
 public:
  explicit TFileReader(const std::string& path);
  // A file already open, read from its start; `path` names it in messages.
  TFileReader(TFileDescriptor fd, const std::string& path);
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  const std::string& Path() const { return Path_; }
  // The file's size when it was opened.
  std::uint64_t Size() const { return Size_; }

  // Reads the next bytes into `into`: `size` of them, or fewer at the end of the file.
  std::size_t Read(char* into, std::size_t size);
  // Reads from the start again.
  void Rewind();

 private:
  std::string Path_;
  TFileDescriptor Fd_;
  std::uint64_t Size_ = 0;
};

}  // namespace mervanta
