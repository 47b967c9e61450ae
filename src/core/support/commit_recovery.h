#pragma once

#include <optional>
#include <string>
#include <vector>

#include "support/commit_place.h"
#include "support/file_journal.h"

namespace mervanta {

class TLockedFile;

// A journal and the place it was found in.
struct TPlacedJournal {
  TCommitPlace Place;
  TFileJournal Journal;
};

// The places where a save of files anchored at `anchor` (a path without symbolic links) may
// keep its journal.
std::vector<TCommitPlace> JournalPlaces(const std::string& anchor);

// The journal of an unfinished save, when one lies in a place of the anchor and names new
// files and backups of its own only.
std::optional<TPlacedJournal> FindJournal(const std::string& anchor);

// Completes a committed save: renames the new files that are not in place yet, then removes
// backups and the journal. A rename that fails keeps the journal for the next attempt and
// throws EMervantaError naming `reported`. `anchorLock`, held on the anchor, moves to the
// anchor's new file.
void FinishCommit(const TPlacedJournal& placed, const std::string& anchor, TLockedFile* anchorLock,
                  const std::string& reported);
// Undoes a save that was not committed: files rewritten in place get their backups back,
// then the new files, the backups and the journal go. A failure throws and keeps the journal.
void UndoCommit(const TPlacedJournal& placed, const std::string& reported);

// Completes or undoes what the journals of the anchor's places tell; removes a journal that
// is damaged or names other files. The caller holds the anchor's lock (`anchorLock` when it
// may move); `paths` are the files saved together with it, as the user names them.
void RecoverFiles(const std::string& anchor, const std::vector<std::string>& paths,
                  TLockedFile* anchorLock);
// Removes new files and backups that a save killed before writing its journal left beside
// the files or in the state folder. Only while holding the anchor's lock, with no journal.
void RemoveLeftovers(const std::string& anchor, const std::vector<std::string>& paths);

// Renames the new file over the target; `lock`, when given, is taken on the new file first
// and moves to it. 0 or the errno.
int RenameIntoPlace(const std::string& from, const std::string& to, TLockedFile* lock);
// Makes `to` a copy of `from` (both open, written from the start), flushed to disk.
void CopyContent(int from, int to, const std::string& reported);

}  // namespace mervanta
