#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "support/file_reader.h"

namespace mervanta {

// The text of a data file as its loaders walk it, from the start as often as they need: read
// block by block into one window that holds the bytes not consumed yet, so that a line that
// crosses the end of a block is carried over whole. The text ends at the file's first zero
// byte; what follows it is not read.
class TDataText {
 public:
  static constexpr std::size_t kBlockSize = std::size_t{1} << 20;
  // What Head holds at most: enough for the UTF-16 test and the protection signature.
  static constexpr std::size_t kHeadSize = 64 * 1024;

  // The text of the file at `path`, which also names it in messages, read `blockSize` bytes
  // at a time (tests read in small blocks, so that blocks end at every place in a line).
  explicit TDataText(const std::string& path, std::size_t blockSize = kBlockSize);
  // The text of a file already open, named in messages as the reader names it.
  explicit TDataText(std::unique_ptr<TFileReader> file, std::size_t blockSize = kBlockSize);
  // Bytes already in memory, named `name` in messages.
  TDataText(std::string_view bytes, std::string name);
  TDataText(const TDataText&) = delete;
  TDataText& operator=(const TDataText&) = delete;

  const std::string& Name() const { return Name_; }
  // All the bytes, a zero byte and what follows it included.
  std::uint64_t Size() const { return Size_; }
  // Where the zero byte that ended the text lies, once a walk has come to it.
  std::optional<std::uint64_t> ZeroByte() const { return ZeroByte_; }

  // The first bytes as they are, zero bytes included.
  std::string_view Head() const {
    return File_ != nullptr ? std::string_view(HeadBytes_) : Bytes_.substr(0, kHeadSize);
  }

  // Starts a walk at the beginning, with the first block in the window.
  void Restart();
  // The bytes read and not consumed yet.
  std::string_view Window() const { return {Data_ + Start_, End_ - Start_}; }
  // Whether the window holds all that is left of the text.
  bool AtEnd() const { return AtEnd_; }
  // The window's first `count` bytes are done with.
  void Consume(std::size_t count) { Start_ += count; }
  // How much of the text the walk has consumed.
  std::uint64_t Consumed() const { return Offset_ + Start_; }
  // Appends the next block to the window, which keeps what was not consumed; at the end there
  // is nothing to add.
  void ReadMore();

 private:
  // Reads the next block after the window.
  void Fill();

  std::string Name_;
  std::unique_ptr<TFileReader> File_;  // none for bytes in memory
  std::string_view Bytes_;
  std::string HeadBytes_;  // of a file
  std::unique_ptr<char[]> Buffer_;
  std::size_t Capacity_;
  const char* Data_ = nullptr;  // the buffer, or the bytes in memory
  std::uint64_t Size_ = 0;
  std::uint64_t Offset_ = 0;  // of Data_[0] in the text
  std::size_t Start_ = 0;
  std::size_t End_ = 0;
  bool AtEnd_ = false;
  std::optional<std::uint64_t> ZeroByte_;
};

}  // namespace mervanta
