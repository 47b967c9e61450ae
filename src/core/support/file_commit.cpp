#include "support/file_commit.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include "support/commit_recovery.h"
#include "support/errors.h"
#include "support/file_attributes.h"
#include "support/file_journal.h"
#include "support/file_names.h"
#include "support/file_system.h"

namespace mervanta {

namespace {

constexpr const char* kSaveFailed = "Cannot save file";

bool AnyJournal(const std::string& anchor) {
  for (const TCommitPlace& place : JournalPlaces(anchor)) {
    struct stat info {};
    if (::lstat(place.JournalPath().c_str(), &info) == 0) return true;
  }
  return false;
}

}  // namespace

TFileCommit::TFileCommit(std::string anchor, TLockedFile* anchorLock)
    : Anchor_(std::move(anchor)), AnchorLock_(anchorLock) {}

TFileCommit::~TFileCommit() = default;

void TFileCommit::Add(std::string path, TWrite write) {
  TEntry& entry = Entries_.emplace_back();
  entry.Path = std::move(path);
  entry.Write = std::move(write);
}

TLockedFile* TFileCommit::HeldLock() const {
  return AnchorLock_ != nullptr && AnchorLock_->IsHeld() ? AnchorLock_ : nullptr;
}

TLockedFile* TFileCommit::EnsureLock() {
  if (TLockedFile* held = HeldLock()) return held;
  if (OwnLock_.IsHeld()) return &OwnLock_;
  switch (OwnLock_.Acquire(Anchor_, TLockedFile::TAccess::Read)) {
    case TLockedFile::TStatus::Held:
      return &OwnLock_;
    case TLockedFile::TStatus::LockedByOther:
      throw EMervantaError(std::string(kSaveFailed) + " \"" + Anchor_ +
                           "\". The file is in use by another application");
    case TLockedFile::TStatus::Failed:
      if (OwnLock_.LastError() == ENOENT) return nullptr;  // a new file: nobody else has it
      RaiseFileError(kSaveFailed, Anchor_, OwnLock_.LastError());
  }
  return nullptr;
}

const TCommitPlace& TFileCommit::JournalPlace() {
  if (!JournalPlace_) {
    TCommitPlace beside = TCommitPlace::Beside(AnchorTarget_);
    if (::faccessat(AT_FDCWD, beside.Folder().c_str(), W_OK | X_OK, AT_EACCESS) == 0) {
      JournalPlace_ = std::move(beside);
    } else {
      std::optional<TCommitPlace> state = TCommitPlace::InStateFolder(AnchorTarget_);
      if (!state) RaiseFileError(kSaveFailed, Anchor_, errno);
      if (!MakeFolders(state->Folder())) RaiseFileError(kSaveFailed, Anchor_, errno);
      JournalPlace_ = std::move(*state);
    }
  }
  return *JournalPlace_;
}

void TFileCommit::Commit() {
  AnchorTarget_ = ResolveLinks(Anchor_);
  if (AnyJournal(AnchorTarget_)) {
    std::vector<std::string> paths;
    for (const TEntry& entry : Entries_) paths.push_back(entry.Path);
    RecoverFiles(Anchor_, paths, EnsureLock());
  }
  for (TEntry& entry : Entries_) Prepare(entry);
  if (Entries_.size() == 1 && !Entries_.front().InPlace) {
    ReplaceAlone(Entries_.front());
  } else {
    CommitWithJournal();
  }
}

void TFileCommit::Prepare(TEntry& entry) {
  entry.Target = ResolveLinks(entry.Path);
  struct stat old {};
  if (::stat(entry.Target.c_str(), &old) == 0) {
    if (!S_ISREG(old.st_mode)) RaiseNotRegularFile(entry.Path);
    entry.Old = old;
  } else if (errno != ENOENT) {
    RaiseFileError(kSaveFailed, entry.Path, errno);
  }
  if (!entry.Old || old.st_nlink == 1) {
    const TCommitPlace beside = TCommitPlace::Beside(AnchorTarget_).In(FolderOf(entry.Target));
    const int error = entry.Temporary.Create(beside, "new");
    if (error == 0) {
      if (!entry.Old || GiveAttributes(entry.Target, old, entry.Temporary.Fd())) {
        WriteNewFile(entry);
        return;
      }
      entry.Temporary = TTemporaryFile();
    } else if (!entry.Old || (error != EACCES && error != EPERM)) {
      RaiseFileError(kSaveFailed, entry.Path, error);
    }
  }
  PrepareInPlace(entry);
}

void TFileCommit::WriteNewFile(TEntry& entry) {
  const int fd = entry.Temporary.Fd();
  TFileWriter writer(fd, entry.Path);
  entry.Write(writer);
  writer.Flush();
  // The mode last: writing would clear set-user and set-group bits.
  const mode_t mode = entry.Old ? entry.Old->st_mode & 07777 : NewFileMode();
  if (sys::ChangeMode(fd, mode) != 0 || sys::Sync(fd) != 0) {
    RaiseFileError(kSaveFailed, entry.Path, errno);
  }
}

void TFileCommit::PrepareInPlace(TEntry& entry) {
  entry.InPlace = true;
  if (const int error = TryOpenRegularFile(entry.Target, O_RDWR, entry.TargetFd)) {
    RaiseFileError(kSaveFailed, entry.Path, error);
  }
  if (const int error = entry.Backup.Create(JournalPlace(), "old")) {
    RaiseFileError(kSaveFailed, entry.Path, error);
  }
  CopyContent(entry.TargetFd.Get(), entry.Backup.Fd(), entry.Path);
}

void TFileCommit::WriteInPlace(TEntry& entry) {
  const int fd = entry.TargetFd.Get();
  if (::lseek(fd, 0, SEEK_SET) != 0) RaiseFileError(kSaveFailed, entry.Path, errno);
  TFileWriter writer(fd, entry.Path);
  entry.Write(writer);
  writer.Flush();
  const off_t size = ::lseek(fd, 0, SEEK_CUR);
  if (size < 0 || sys::Truncate(fd, size) != 0 || sys::Sync(fd) != 0) {
    RaiseFileError(kSaveFailed, entry.Path, errno);
  }
}

void TFileCommit::ReplaceAlone(TEntry& entry) {
  TTemporaryFile& file = entry.Temporary;
  if (const int error = file.GiveName()) RaiseFileError(kSaveFailed, entry.Path, error);
  TLockedFile* lock = entry.Target == AnchorTarget_ ? HeldLock() : nullptr;
  if (const int error = RenameIntoPlace(file.Path(), entry.Target, lock)) {
    RaiseFileError(kSaveFailed, entry.Path, error);
  }
  file.KeepName();
  if (!SyncFolder(FolderOf(entry.Target))) RaiseFileError(kSaveFailed, entry.Path, errno);
}

void TFileCommit::CommitWithJournal() {
  const std::string& reported = Entries_.front().Path;
  TLockedFile* lock = EnsureLock();
  TPlacedJournal placed{JournalPlace(), {}};
  std::set<std::string> folders;
  bool inPlace = false;
  for (TEntry& entry : Entries_) {
    TTemporaryFile& file = entry.InPlace ? entry.Backup : entry.Temporary;
    if (const int error = file.GiveName()) RaiseFileError(kSaveFailed, entry.Path, error);
    folders.insert(FolderOf(file.Path()));
    placed.Journal.Entries.push_back(
        {entry.Target, entry.InPlace ? "" : file.Path(), entry.InPlace ? file.Path() : ""});
    inPlace = inPlace || entry.InPlace;
  }
  // The journal must never name a file that a crash could lose.
  for (const std::string& folder : folders) {
    if (!SyncFolder(folder)) RaiseFileError(kSaveFailed, reported, errno);
  }
  for (TEntry& entry : Entries_) (entry.InPlace ? entry.Backup : entry.Temporary).KeepName();
  int unsynced = 0;
  try {
    if (inPlace) {
      placed.Journal.State = TFileJournal::TState::Prepared;
      if (const int error = WriteJournal(placed.Place, placed.Journal, reported)) {
        RaiseFileError(kSaveFailed, reported, error);
      }
      for (TEntry& entry : Entries_) {
        if (entry.InPlace) WriteInPlace(entry);
      }
    }
    placed.Journal.State = TFileJournal::TState::Committed;
    unsynced = WriteJournal(placed.Place, placed.Journal, reported);
  } catch (...) {
    try {
      UndoCommit(placed, reported);
    } catch (const EMervantaError&) {
      // The journal stays: the next opening undoes the rest.
    }
    throw;
  }
  // From here on the new files count.
  FinishCommit(placed, AnchorTarget_, lock, reported);
  if (unsynced != 0) RaiseFileError(kSaveFailed, reported, unsynced);
}

}  // namespace mervanta
