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
  struct TContent {
    std::string Data;
    // None when the description is missing or cannot be read.
    std::optional<std::string> Description;
  };

  TFilePair() = default;
  TFilePair(std::string dataFile, std::string descriptionFile)
      : DataFile_(std::move(dataFile)), DescriptionFile_(std::move(descriptionFile)) {}

  const std::string& DataFile() const { return DataFile_; }

  // Takes the data file's lock, then completes or undoes a save that was cut short and
  // removes what one left behind. Failed leaves the reason in LastError.
  TLockedFile::TStatus Lock();
  bool Locked() const { return Lock_.IsHeld(); }
  int LastError() const { return Lock_.LastError(); }

  // Both files as they were at one moment, whether the lock is held or not. A data file that
  // cannot be read throws.
  TContent Read() const;
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
