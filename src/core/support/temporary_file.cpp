#include "support/temporary_file.h"

#include <fcntl.h>

#include <cerrno>
#include <utility>

#include "support/file_system.h"

namespace mervanta {

namespace {

constexpr int kNameAttempts = 100;

}  // namespace

TTemporaryFile::~TTemporaryFile() {
  Remove();
}

TTemporaryFile::TTemporaryFile(TTemporaryFile&& other) noexcept
    : Fd_(std::move(other.Fd_)),
      Place_(std::move(other.Place_)),
      Kind_(other.Kind_),
      Path_(std::move(other.Path_)),
      Owned_(std::exchange(other.Owned_, false)) {}

TTemporaryFile& TTemporaryFile::operator=(TTemporaryFile&& other) noexcept {
  if (this != &other) {
    Remove();
    Fd_ = std::move(other.Fd_);
    Place_ = std::move(other.Place_);
    Kind_ = other.Kind_;
    Path_ = std::move(other.Path_);
    Owned_ = std::exchange(other.Owned_, false);
  }
  return *this;
}

void TTemporaryFile::Remove() {
  if (Owned_) sys::Unlink(Path_.c_str());
  Owned_ = false;
  Fd_.Close();
}

int TTemporaryFile::Create(const TCommitPlace& place, const char* kind) {
  Remove();
  Place_ = place;
  Kind_ = kind;
  Path_.clear();
  Fd_ = TFileDescriptor(sys::Open(place.Folder().c_str(), O_TMPFILE | O_RDWR, 0600));
  if (Fd_.IsOpen()) return 0;
  if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) return errno;
  // A file system without unnamed files: the file is named from the start.
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string path = place.NewName(Kind_);
    Fd_ = TFileDescriptor(sys::Open(path.c_str(), O_RDWR | O_CREAT | O_EXCL, 0600));
    if (Fd_.IsOpen()) {
      Path_ = std::move(path);
      Owned_ = true;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

int TTemporaryFile::GiveName() {
  if (!Path_.empty()) return 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string path = Place_->NewName(Kind_);
    if (sys::LinkOpenFile(Fd_.Get(), path.c_str()) == 0) {
      Path_ = std::move(path);
      Owned_ = true;
      return 0;
    }
    if (errno != EEXIST) return errno;
  }
  return EEXIST;
}

}  // namespace mervanta
