#include "support/commit_place.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cstdlib>
#include <memory>
#include <random>
#include <vector>

#include "support/file_names.h"
#include "support/file_system.h"

namespace mervanta {

namespace {

constexpr std::string_view kLetters =
    "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
constexpr std::size_t kRandomLength = 8;
constexpr std::string_view kKindStart = ".mervanta-";

std::string NameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

std::string RandomText() {
  thread_local std::mt19937_64 engine{std::random_device{}()};
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string text(kRandomLength, ' ');
  for (char& c : text) c = kLetters[pick(engine)];
  return text;
}

// "." + key + ".": hidden, and the key cannot run into the random part.
std::string PrefixOf(std::string_view key) {
  std::string prefix(".");
  prefix += key;
  prefix += '.';
  return prefix;
}

}  // namespace

TCommitPlace TCommitPlace::Beside(const std::string& anchor) {
  return {FolderOf(anchor), PrefixOf(NameOf(anchor))};
}

std::optional<TCommitPlace> TCommitPlace::InStateFolder(const std::string& anchor) {
  struct stat info {};
  if (::stat(anchor.c_str(), &info) != 0) return std::nullopt;
  return TCommitPlace(StateFolder(),
                      PrefixOf(std::to_string(info.st_dev) + "-" + std::to_string(info.st_ino)));
}

std::string TCommitPlace::JournalPath() const {
  return Folder_ + "/" + Prefix_ + "mervanta-journal";
}

std::string TCommitPlace::NewName(std::string_view kind) const {
  return Folder_ + "/" + Prefix_ + RandomText() + std::string(kKindStart) + std::string(kind);
}

bool TCommitPlace::Owns(std::string_view path) const {
  if (path.size() <= Folder_.size() || !path.starts_with(Folder_) || path[Folder_.size()] != '/') {
    return false;
  }
  std::string_view name = path.substr(Folder_.size() + 1);
  if (!name.starts_with(Prefix_)) return false;
  name.remove_prefix(Prefix_.size());
  if (name.size() < kRandomLength ||
      name.substr(0, kRandomLength).find_first_not_of(kLetters) != std::string_view::npos) {
    return false;
  }
  name.remove_prefix(kRandomLength);
  return name == std::string(kKindStart) + "new" || name == std::string(kKindStart) + "old";
}

void TCommitPlace::RemoveLeftovers() const {
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(Folder_.c_str()), &::closedir);
  if (dir == nullptr) return;
  std::vector<std::string> leftovers;
  while (const dirent* entry = ::readdir(dir.get())) {
    std::string path = Folder_ + "/" + entry->d_name;
    if (Owns(path)) leftovers.push_back(std::move(path));
  }
  for (const std::string& path : leftovers) sys::Unlink(path.c_str());
}

std::string StateFolder() {
  // Relative values are invalid by the base directory rules and are ignored.
  const char* stateHome = std::getenv("XDG_STATE_HOME");
  const std::string base = stateHome != nullptr && stateHome[0] == '/'
                               ? std::string(stateHome)
                               : HomeFolder() + "/.local/state";
  return base + "/mervanta";
}

}  // namespace mervanta
