#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace mervanta {

// A folder where a save of several files keeps its journal, temporary files or backups, and
// the prefix of their names: "." and the name of the file that anchors the save (a table's
// data file) and ".", so that they are hidden and no file of the user is taken for them.
class TCommitPlace {
 public:
  TCommitPlace(std::string folder, std::string prefix)
      : Folder_(std::move(folder)), Prefix_(std::move(prefix)) {}

  // Beside the anchor, a path without symbolic links.
  static TCommitPlace Beside(const std::string& anchor);
  // In the user's state folder, named after the anchor's device and inode: for a folder where
  // the user may not create files. None when the anchor does not exist.
  static std::optional<TCommitPlace> InStateFolder(const std::string& anchor);
  // The same prefix in another folder.
  TCommitPlace In(std::string folder) const { return {std::move(folder), Prefix_}; }

  const std::string& Folder() const { return Folder_; }
  std::string JournalPath() const;
  // A fresh name: the prefix, eight random letters and digits, and ".mervanta-" + kind
  // ("new" for new content, "old" for a backup).
  std::string NewName(std::string_view kind) const;
  // Whether NewName could have made the path.
  bool Owns(std::string_view path) const;
  // Removes the files of the folder that NewName could have made.
  void RemoveLeftovers() const;

 private:
  std::string Folder_;
  std::string Prefix_;
};

// Where the program keeps files of its own for the user: $XDG_STATE_HOME/mervanta, by default
// ~/.local/state/mervanta.
std::string StateFolder();

}  // namespace mervanta
