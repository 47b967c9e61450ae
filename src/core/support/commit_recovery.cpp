#include "support/commit_recovery.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <set>

#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "support/file_system.h"
#include "support/locked_file.h"

namespace mervanta {

namespace {

constexpr const char* kSaveFailed = "Cannot save file";

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

// The new files and backups a journal names must be its own, so that a planted journal cannot
// make the program rename or overwrite anything else.
bool OwnsItsFiles(const TFileJournal& journal, const TCommitPlace& place,
                  const std::string& anchor) {
  const TCommitPlace beside = TCommitPlace::Beside(anchor);
  return std::all_of(journal.Entries.begin(), journal.Entries.end(), [&](const auto& entry) {
    return entry.Temporary.empty() ? place.Owns(entry.Backup)
                                   : beside.In(FolderOf(entry.Target)).Owns(entry.Temporary);
  });
}

// A journal to follow moves only the files saved together, each once.
bool NamesOnlyTheFiles(const TFileJournal& journal, const std::vector<std::string>& targets) {
  std::set<std::string> seen;
  return std::all_of(journal.Entries.begin(), journal.Entries.end(), [&](const auto& entry) {
    return std::find(targets.begin(), targets.end(), entry.Target) != targets.end() &&
           seen.insert(entry.Target).second;
  });
}

std::vector<std::string> Resolved(const std::vector<std::string>& paths) {
  std::vector<std::string> targets;
  for (const std::string& path : paths) targets.push_back(ResolveLinks(path));
  return targets;
}

void RestoreBackup(const TFileJournal::TEntry& entry, const std::string& reported) {
  TFileDescriptor backup;
  // A backup is complete before its journal names it; one gone has nothing left to give.
  if (TryOpenRegularFile(entry.Backup, O_RDONLY, backup) == ENOENT) return;
  TFileDescriptor target;
  if (const int error = TryOpenRegularFile(entry.Target, O_RDWR, target)) {
    RaiseFileError(kSaveFailed, reported, error);
  }
  CopyContent(backup.Get(), target.Get(), reported);
}

}  // namespace

std::vector<TCommitPlace> JournalPlaces(const std::string& anchor) {
  std::vector<TCommitPlace> places{TCommitPlace::Beside(anchor)};
  if (std::optional<TCommitPlace> state = TCommitPlace::InStateFolder(anchor)) {
    places.push_back(std::move(*state));
  }
  return places;
}

std::optional<TPlacedJournal> FindJournal(const std::string& anchor) {
  for (TCommitPlace& place : JournalPlaces(anchor)) {
    TFoundJournal found = ReadJournal(place);
    if (found.Status == TFoundJournal::TStatus::Found &&
        OwnsItsFiles(found.Journal, place, anchor)) {
      return TPlacedJournal{std::move(place), std::move(found.Journal)};
    }
  }
  return std::nullopt;
}

int RenameIntoPlace(const std::string& from, const std::string& to, TLockedFile* lock) {
  TFileDescriptor fd;
  if (lock != nullptr) {
    fd = TFileDescriptor(sys::Open(from.c_str(), O_RDWR | O_NONBLOCK));
    if (!fd.IsOpen() || sys::Lock(fd.Get(), LOCK_EX | LOCK_NB) != 0) return errno;
  }
  if (sys::Rename(from.c_str(), to.c_str()) != 0) return errno;
  if (lock != nullptr) lock->Adopt(std::move(fd));
  return 0;
}

void CopyContent(int from, int to, const std::string& reported) {
  if (::lseek(from, 0, SEEK_SET) != 0 || ::lseek(to, 0, SEEK_SET) != 0) {
    RaiseFileError(kSaveFailed, reported, errno);
  }
  TFileWriter writer(to, reported);
  off_t size = 0;
  ReadInBlocks(from, reported, [&](std::string_view block) {
    writer.Write(block);
    size += static_cast<off_t>(block.size());
  });
  writer.Flush();
  if (sys::Truncate(to, size) != 0 || sys::Sync(to) != 0) {
    RaiseFileError(kSaveFailed, reported, errno);
  }
}

void FinishCommit(const TPlacedJournal& placed, const std::string& anchor, TLockedFile* anchorLock,
                  const std::string& reported) {
  int error = 0;
  std::set<std::string> folders;
  for (const TFileJournal::TEntry& entry : placed.Journal.Entries) {
    if (entry.Temporary.empty() || !Exists(entry.Temporary)) continue;
    TLockedFile* lock = entry.Target == anchor ? anchorLock : nullptr;
    if (const int failed = RenameIntoPlace(entry.Temporary, entry.Target, lock)) {
      if (error == 0) error = failed;
      continue;
    }
    folders.insert(FolderOf(entry.Target));
  }
  for (const std::string& folder : folders) {
    if (!SyncFolder(folder) && error == 0) error = errno;
  }
  // Until the renames are on disk, only the journal can finish them after a crash.
  if (error != 0) RaiseFileError(kSaveFailed, reported, error);
  for (const TFileJournal::TEntry& entry : placed.Journal.Entries) {
    if (!entry.Backup.empty()) sys::Unlink(entry.Backup.c_str());
  }
  sys::Unlink(placed.Place.JournalPath().c_str());
  SyncFolder(placed.Place.Folder());
}

void UndoCommit(const TPlacedJournal& placed, const std::string& reported) {
  for (const TFileJournal::TEntry& entry : placed.Journal.Entries) {
    if (!entry.Backup.empty()) RestoreBackup(entry, reported);
  }
  for (const TFileJournal::TEntry& entry : placed.Journal.Entries) {
    sys::Unlink((entry.Temporary.empty() ? entry.Backup : entry.Temporary).c_str());
  }
  sys::Unlink(placed.Place.JournalPath().c_str());
  SyncFolder(placed.Place.Folder());
}

void RecoverFiles(const std::string& anchor, const std::vector<std::string>& paths,
                  TLockedFile* anchorLock) {
  const std::string anchorTarget = ResolveLinks(anchor);
  const std::vector<std::string> targets = Resolved(paths);
  for (TCommitPlace& place : JournalPlaces(anchorTarget)) {
    TFoundJournal found = ReadJournal(place);
    if (found.Status == TFoundJournal::TStatus::None) continue;
    if (found.Status == TFoundJournal::TStatus::Damaged ||
        !OwnsItsFiles(found.Journal, place, anchorTarget) ||
        !NamesOnlyTheFiles(found.Journal, targets)) {
      sys::Unlink(place.JournalPath().c_str());
      continue;
    }
    const TPlacedJournal placed{std::move(place), std::move(found.Journal)};
    if (placed.Journal.State == TFileJournal::TState::Committed) {
      FinishCommit(placed, anchorTarget, anchorLock, anchor);
    } else {
      UndoCommit(placed, anchor);
    }
  }
}

void RemoveLeftovers(const std::string& anchor, const std::vector<std::string>& paths) {
  const std::string anchorTarget = ResolveLinks(anchor);
  std::set<std::string> folders{FolderOf(anchorTarget)};
  for (const std::string& target : Resolved(paths)) folders.insert(FolderOf(target));
  const TCommitPlace beside = TCommitPlace::Beside(anchorTarget);
  for (const std::string& folder : folders) beside.In(folder).RemoveLeftovers();
  if (std::optional<TCommitPlace> state = TCommitPlace::InStateFolder(anchorTarget)) {
    state->RemoveLeftovers();
  }
}

}  // namespace mervanta
