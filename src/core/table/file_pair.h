#pragma once

#include <functional>
#include <optional>
#include <string>

#include "support/file_commit.h"
#include "support/locked_file.h"

namespace mervanta {

// The two files of a table, which change together: the data file, which anchors their saves
// and is locked while the table is open for writing, and the description file.
class TFilePair {
 public:
  // Loads a table from its data file, open at its start, and its description's text, none
  // when the description is missing or cannot be read.
  using TLoad = std::function<void(int dataFd, const std::optional<std::string>& description)>;

  TFilePair() = default;
  TFilePair(std::string dataFile, std::string descriptionFile)
      : DataFile_(std::move(dataFile)), DescriptionFile_(std::move(descriptionFile)) {}

  const std::string& DataFile() const { return DataFile_; }

  // Takes the data file's lock, then completes or undoes a save that was cut short and
  // removes what one left behind. Failed leaves the reason in LastError.
  TLockedFile::TStatus Lock();
  bool Locked() const { return Lock_.IsHeld(); }
  int LastError() const { return Lock_.LastError(); }

  // Calls `load` with both files as they were at one moment, whether the lock is held or not;
  // when a save changed them meanwhile, `load` runs again on the new ones. A data file that
  // cannot be opened throws.
  void Read(const TLoad& load) const;
  // Replaces both files all or nothing; needs the lock.
  void Save(const TFileCommit::TWrite& writeData, std::string description);
  // Replaces an existing description with what `update` makes of its text and leaves the data
  // file alone. Without the lock it is taken for the time of the write; when another program
  // holds it, the description is that program's to write and nothing happens.
  void UpdateDescription(const std::function<std::string(std::string)>& update);

 private:
  std::string DataFile_;
  std::string DescriptionFile_;
  TLockedFile Lock_;
};

}  // namespace mervanta
