#include "model/data_text.h"

#include <algorithm>
#include <cstring>

namespace mervanta {

namespace {

// The length of the text in `bytes`, which ends at a zero byte if there is one.
std::size_t TextLength(const char* bytes, std::size_t size) {
  const void* zero = std::memchr(bytes, '\0', size);
  return zero == nullptr ? size : static_cast<std::size_t>(static_cast<const char*>(zero) - bytes);
}

}  // namespace

TDataText::TDataText(const std::string& path, std::size_t blockSize)
    : TDataText(std::make_unique<TFileReader>(path), blockSize) {}

TDataText::TDataText(std::unique_ptr<TFileReader> file, std::size_t blockSize)
    : Name_(file->Path()),
      File_(std::move(file)),
      Capacity_(std::max<std::size_t>(blockSize, 1)),
      Size_(File_->Size()) {
  HeadBytes_.resize(std::min<std::uint64_t>(Size_, kHeadSize));
  HeadBytes_.resize(File_->Read(HeadBytes_.data(), HeadBytes_.size()));
  Restart();
}

TDataText::TDataText(std::string_view bytes, std::string name)
    : Name_(std::move(name)), Bytes_(bytes), Capacity_(0), Size_(bytes.size()) {
  Restart();
}

void TDataText::Restart() {
  Offset_ = 0;
  Start_ = 0;
  End_ = 0;
  if (File_ == nullptr) {
    Data_ = Bytes_.data();
    End_ = TextLength(Bytes_.data(), Bytes_.size());
    if (End_ < Bytes_.size()) ZeroByte_ = End_;
    AtEnd_ = true;
    return;
  }
  File_->Rewind();
  if (Buffer_ == nullptr) Buffer_ = std::make_unique_for_overwrite<char[]>(Capacity_);
  Data_ = Buffer_.get();
  AtEnd_ = false;
  Fill();
}

void TDataText::ReadMore() {
  if (AtEnd_) return;
  const std::size_t kept = End_ - Start_;
  if (kept > Capacity_ / 2) {
    // A line longer than half the buffer: twice the room, so that it is read again only a
    // few times before it fits.
    auto larger = std::make_unique_for_overwrite<char[]>(2 * Capacity_);
    std::memcpy(larger.get(), Buffer_.get() + Start_, kept);
    Buffer_ = std::move(larger);
    Capacity_ *= 2;
  } else {
    std::memmove(Buffer_.get(), Buffer_.get() + Start_, kept);
  }
  Data_ = Buffer_.get();
  Offset_ += Start_;
  Start_ = 0;
  End_ = kept;
  Fill();
}

void TDataText::Fill() {
  const std::size_t wanted = Capacity_ - End_;
  const std::size_t got = File_->Read(Buffer_.get() + End_, wanted);
  const std::size_t text = TextLength(Buffer_.get() + End_, got);
  if (text < got) ZeroByte_ = Offset_ + End_ + text;
  AtEnd_ = got < wanted || text < got;
  End_ += text;
}

}  // namespace mervanta
