#pragma once

#include <unistd.h>

#include <utility>

namespace mervanta {

// An open file descriptor, closed when it goes.
class TFileDescriptor {
 public:
  TFileDescriptor() = default;
  explicit TFileDescriptor(int fd) : Fd_(fd) {}
  ~TFileDescriptor() { Close(); }
  TFileDescriptor(TFileDescriptor&& other) noexcept : Fd_(other.Release()) {}
  TFileDescriptor& operator=(TFileDescriptor&& other) noexcept {
    if (this != &other) {
      Close();
      Fd_ = other.Release();
    }
    return *this;
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;

  int Get() const { return Fd_; }
  bool IsOpen() const { return Fd_ >= 0; }
  int Release() { return std::exchange(Fd_, -1); }
  void Close() {
    if (Fd_ >= 0) ::close(Fd_);
    Fd_ = -1;
  }

 private:
  int Fd_ = -1;
};

}  // namespace mervanta
