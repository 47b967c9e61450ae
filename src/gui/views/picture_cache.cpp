#include "views/picture_cache.h"

#include "views/cell_layout.h"

#include <QPainter>
#include <algorithm>
#include <cstdint>
#include <future>
#include <utility>

namespace mervanta {

namespace {

constexpr int kIconSize = 12;

std::size_t BytesOf(const QImage& image) {
  return static_cast<std::size_t>(image.sizeInBytes());
}

enum class TSign : std::uint8_t { Plus, Minus };

// A framed square holding a plus or a minus sign.
QImage SignIcon(TSign sign) {
  QImage image(kIconSize, kIconSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(0, 0, kIconSize - 1, kIconSize - 1);
  painter.setPen(Qt::black);
  const int middle = kIconSize / 2;
  painter.drawLine(3, middle, kIconSize - 4, middle);
  if (sign == TSign::Plus) painter.drawLine(middle, 3, middle, kIconSize - 4);
  return image;
}

// A grey frame crossed out: the picture could not be read.
QImage NoPicture() {
  constexpr int kSize = 32;
  QImage image(kSize, kSize, QImage::Format_ARGB32_Premultiplied);
  image.fill(QColor(240, 240, 240));
  QPainter painter(&image);
  painter.setPen(QColor(160, 160, 160));
  painter.drawRect(0, 0, kSize - 1, kSize - 1);
  painter.setPen(QColor(200, 60, 60));
  painter.drawLine(6, 6, kSize - 7, kSize - 7);
  painter.drawLine(kSize - 7, 6, 6, kSize - 7);
  return image;
}

// The largest size the picture is drawn at in a box, by the cells' own rule.
QSize Fitted(QSize fullSize, QSize drawnAtMost) {
  const TCellSize size = FittedPictureSize({fullSize.width(), fullSize.height()},
                                           drawnAtMost.width(), drawnAtMost.height());
  return QSize(size.Width, size.Height).expandedTo(QSize(1, 1));
}

// Whether the held image is as large as the drawing asks, or as the picture is. A pixel less
// is stretched unseen, where reading the picture again would cost a decode.
bool LargeEnough(const QImage& held, QSize fullSize, QSize drawnAtMost) {
  if (drawnAtMost.isEmpty()) return held.size() == fullSize;
  const QSize fitted = Fitted(fullSize, drawnAtMost);
  return held.width() + 1 >= fitted.width() && held.height() + 1 >= fitted.height();
}

// The decoded picture brought to the size it is drawn at, in the format painting copies
// fastest, so that drawing a page of pictures only copies pixels. A null image stays null.
QImage ReadyToDraw(QImage image, QSize fullSize, QSize drawnAtMost) {
  if (image.isNull()) return image;
  if (!drawnAtMost.isEmpty()) {
    const QSize fitted = Fitted(fullSize, drawnAtMost);
    if (image.width() > fitted.width() || image.height() > fitted.height()) {
      image = image.scaled(fitted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
  }
  return image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                       : QImage::Format_RGB32);
}

}  // namespace

TPictureCache::TPictureCache(std::size_t budgetBytes, TLoader loader)
    : Budget_(budgetBytes), Loader_(std::move(loader)) {
  Plus_ = {SignIcon(TSign::Plus), QSize(kIconSize, kIconSize), true};
  Minus_ = {SignIcon(TSign::Minus), QSize(kIconSize, kIconSize), true};
  const QImage placeholder = NoPicture();
  Placeholder_ = {placeholder, placeholder.size(), false};
}

bool TPictureCache::IsReady(const std::string& name, QSize drawnAtMost) const {
  if (name == "+" || name == "-" || name.empty() || Failed_.contains(name)) return true;
  const auto found = Entries_.find(name);
  if (found == Entries_.end()) return false;
  const TPicture& held = found->second->Picture;
  return LargeEnough(held.Image, held.FullSize, drawnAtMost);
}

void TPictureCache::Prefetch(std::span<const TRequest> requests) {
  std::vector<const TRequest*> missing;
  for (const TRequest& request : requests) {
    const bool named = std::ranges::any_of(
        missing, [&](const TRequest* other) { return other->Name == request.Name; });
    if (!named && !IsReady(request.Name, request.DrawnAtMost)) missing.push_back(&request);
  }
  if (missing.size() < 2) return;
  // Reading is most of the time a page of photographs takes; the pictures are read side by
  // side, then kept here one after the other.
  std::vector<std::future<TLoadedPicture>> reads;
  reads.reserve(missing.size());
  for (const TRequest* request : missing) {
    reads.push_back(std::async(std::launch::async, [this, request] {
      TLoadedPicture loaded = Loader_(request->Name, request->DrawnAtMost);
      loaded.Image = ReadyToDraw(std::move(loaded.Image), loaded.FullSize, request->DrawnAtMost);
      return loaded;
    }));
  }
  for (std::size_t i = 0; i < missing.size(); ++i) Keep(missing[i]->Name, reads[i].get());
}

const TPictureCache::TPicture& TPictureCache::Get(const std::string& name, QSize drawnAtMost) {
  if (name == "+") return Plus_;
  if (name == "-") return Minus_;
  if (name.empty() || Failed_.contains(name)) return Placeholder_;
  if (const auto found = Entries_.find(name); found != Entries_.end()) {
    Recent_.splice(Recent_.begin(), Recent_, found->second);
    const TPicture& held = found->second->Picture;
    if (LargeEnough(held.Image, held.FullSize, drawnAtMost)) return held;
  }
  TLoadedPicture loaded = Loader_(name, drawnAtMost);
  loaded.Image = ReadyToDraw(std::move(loaded.Image), loaded.FullSize, drawnAtMost);
  return Keep(name, std::move(loaded));
}

const TPictureCache::TPicture& TPictureCache::Keep(const std::string& name, TLoadedPicture loaded) {
  if (const auto found = Entries_.find(name); found != Entries_.end()) {
    Bytes_ -= BytesOf(found->second->Picture.Image);
    Recent_.erase(found->second);
    Entries_.erase(found);
  }
  if (loaded.Image.isNull()) {
    Failed_.insert(name);
    return Placeholder_;
  }
  Bytes_ += BytesOf(loaded.Image);
  Recent_.push_front({name, {std::move(loaded.Image), loaded.FullSize, false}});
  Entries_[name] = Recent_.begin();
  Evict();
  return Recent_.front().Picture;
}

void TPictureCache::Evict() {
  // The picture just read stays, however large.
  while (Bytes_ > Budget_ && Recent_.size() > 1) {
    const TEntry& oldest = Recent_.back();
    Bytes_ -= BytesOf(oldest.Picture.Image);
    Entries_.erase(oldest.Name);
    Recent_.pop_back();
  }
}

void TPictureCache::Clear() {
  Recent_.clear();
  Entries_.clear();
  Failed_.clear();
  Bytes_ = 0;
}

}  // namespace mervanta
