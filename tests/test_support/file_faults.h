#pragma once

#include <array>
#include <functional>

#include "support/file_system.h"

namespace mervanta::test {

// While it lives, counts the file layer's calls of each kind and makes a chosen one fail.
class TFileFaults : public TFileCallObserver {
 public:
  TFileFaults() : Previous_(SetFileCallObserver(this)) {}
  ~TFileFaults() { SetFileCallObserver(Previous_); }
  TFileFaults(const TFileFaults&) = delete;
  TFileFaults& operator=(const TFileFaults&) = delete;

  // The index-th call of the kind (from 1) fails with the errno; with `later`, every later
  // call of the kind fails too, as on a disk that broke.
  void Fail(TFileCall call, int index, int error, bool later = false) {
    FailCall_ = call;
    FailIndex_ = index;
    Error_ = error;
    Later_ = later;
  }
  int Count(TFileCall call) const { return Counts_[static_cast<std::size_t>(call)]; }
  bool Fired() const { return Fired_; }

  // Runs before each call, to play another process acting at that moment.
  std::function<void(TFileCall call, int index)> Before;

  int Called(TFileCall call) override {
    const int index = ++Counts_[static_cast<std::size_t>(call)];
    if (Before) Before(call, index);
    if (call != FailCall_ || index < FailIndex_ || (index > FailIndex_ && !Later_)) return 0;
    Fired_ = true;
    return Error_;
  }

 private:
  TFileCallObserver* Previous_;
  std::array<int, kFileCallKinds> Counts_{};
  TFileCall FailCall_ = TFileCall::Open;
  int FailIndex_ = 0;
  int Error_ = 0;
  bool Later_ = false;
  bool Fired_ = false;
};

}  // namespace mervanta::test
