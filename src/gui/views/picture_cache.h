#pragma once

#include <QImage>
#include <QSize>
#include <cstddef>
#include <functional>
#include <list>
#include <span>
#include <string>
#include <unordered_map>
#include <unordered_set>

#include "views/picture_loader.h"

namespace mervanta {

// The pictures of Picture columns and the "+"/"-" icons, by cell value. Pictures are kept at
// the size they are drawn, and the least recently used go once they hold more than the
// budget; they are read again when next drawn, so a table of thousands of photographs never
// fills the memory. A name that cannot be read shows the placeholder until the cache is
// cleared, without being tried again.
class TPictureCache {
 public:
  // Called from several threads at once by Prefetch.
  using TLoader = std::function<TLoadedPicture(const std::string& path, QSize drawnAtMost)>;

  static constexpr std::size_t kDefaultBudget = std::size_t{256} << 20;

  explicit TPictureCache(std::size_t budgetBytes = kDefaultBudget, TLoader loader = &LoadPicture);

  struct TPicture {
    QImage Image;
    // What the layout fits into the cell: the picture's own size (the icon's, the
    // placeholder's).
    QSize FullSize;
    bool IsIcon = false;
  };

  // The picture for a value: the icon for "+" and "-", else the picture of the file it names,
  // held at least as large as `drawnAtMost` (the full picture for an empty size), else the
  // placeholder. The answer stays valid until the next call.
  const TPicture& Get(const std::string& name, QSize drawnAtMost);
  // Whether Get would answer without reading a file.
  bool IsReady(const std::string& name, QSize drawnAtMost) const;

  struct TRequest {
    std::string Name;
    QSize DrawnAtMost;
  };
  // Reads the pictures of a page that are not held yet side by side, so that Get finds them.
  void Prefetch(std::span<const TRequest> requests);
  // Forgets every picture, the failed names too: the table closed, or its files changed.
  void Clear();

  std::size_t BytesHeld() const { return Bytes_; }

 private:
  struct TEntry {
    std::string Name;
    TPicture Picture;
  };
  using TOrder = std::list<TEntry>;

  // Holds what was read under the name, or remembers that it could not be read.
  const TPicture& Keep(const std::string& name, TLoadedPicture loaded);
  void Evict();

  std::size_t Budget_;
  TLoader Loader_;
  TOrder Recent_;  // the most recently used first
  std::unordered_map<std::string, TOrder::iterator> Entries_;
  std::unordered_set<std::string> Failed_;
  std::size_t Bytes_ = 0;
  TPicture Plus_, Minus_, Placeholder_;
};

}  // namespace mervanta
