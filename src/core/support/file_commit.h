#pragma once

#include <sys/stat.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "support/commit_place.h"
#include "support/file_io.h"
#include "support/locked_file.h"
#include "support/temporary_file.h"

namespace mervanta {

// Replaces a set of files all or nothing: at every moment they hold their old contents or
// their new ones, or a journal beside the anchor file (a table's data file) tells which, and
// RecoverFiles completes or undoes the save when they are next opened for writing.
//
// Every new content is first written completely and flushed to disk; then the journal is
// written and each new file renamed over its old one. A replaced file keeps its mode, owner,
// group and extended attributes, and a symbolic link keeps pointing at it. Where renaming
// would lose any of that (more than one hard link, an owner that cannot be given back, a
// folder the user may not create files in) the file is rewritten in place instead, after a
// backup; the journal then lies in the user's state folder when the anchor's folder cannot
// take it.
class TFileCommit {
 public:
  using TWrite = std::function<void(TFileWriter&)>;

  // `anchorLock` is the anchor's lock when the caller holds it; it moves to the anchor's new
  // file. Otherwise the commit takes the lock itself for as long as it needs a journal.
  TFileCommit(std::string anchor, TLockedFile* anchorLock);
  TFileCommit(const TFileCommit&) = delete;
  TFileCommit& operator=(const TFileCommit&) = delete;
  ~TFileCommit();

  // A file to replace with what `write` produces.
  void Add(std::string path, TWrite write);
  // Throws EMervantaError naming the file and the reason. Until the journal says otherwise
  // a failure leaves every file as it was; after it, the files count as new, and the next
  // commit or RecoverFiles puts the last of them in place.
  void Commit();

 private:
  struct TEntry {
    std::string Path;
    TWrite Write;
    std::string Target;
    std::optional<struct stat> Old;
    bool InPlace = false;
    TTemporaryFile Temporary;  // the new content, to be renamed over the target
    TFileDescriptor TargetFd;  // in place: the target, open for writing
    TTemporaryFile Backup;     // in place: the old content
  };

  TLockedFile* HeldLock() const;
  TLockedFile* EnsureLock();
  const TCommitPlace& JournalPlace();
  void Prepare(TEntry& entry);
  void WriteNewFile(TEntry& entry);
  void PrepareInPlace(TEntry& entry);
  void WriteInPlace(TEntry& entry);
  void ReplaceAlone(TEntry& entry);
  void CommitWithJournal();

  std::string Anchor_;
  std::string AnchorTarget_;
  TLockedFile* AnchorLock_;
  TLockedFile OwnLock_;
  std::optional<TCommitPlace> JournalPlace_;
  std::vector<TEntry> Entries_;
};

}  // namespace mervanta
