#include "support/file_snapshot.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <optional>
#include <thread>

#include "support/commit_recovery.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"

namespace mervanta {

namespace {

constexpr int kAttempts = 100;

// What tells a file's content apart from what it held before: another file under the name,
// or the same file written since.
struct TIdentity {
  bool Exists = false;
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  timespec Modified{};
  timespec Changed{};

  explicit TIdentity(const struct stat* info) {
    if (info == nullptr) return;
    Exists = true;
    Device = info->st_dev;
    Inode = info->st_ino;
    Size = info->st_size;
    Modified = info->st_mtim;
    Changed = info->st_ctim;
  }
  bool SameFile(const TIdentity& other) const {
    return Exists == other.Exists && Device == other.Device && Inode == other.Inode;
  }
  bool operator==(const TIdentity& other) const {
    return SameFile(other) && Size == other.Size && Modified.tv_sec == other.Modified.tv_sec &&
           Modified.tv_nsec == other.Modified.tv_nsec && Changed.tv_sec == other.Changed.tv_sec &&
           Changed.tv_nsec == other.Changed.tv_nsec;
  }
};

TIdentity NamedIdentity(const std::string& path) {
  struct stat info {};
  return TIdentity(::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) ? &info : nullptr);
}

TIdentity OpenIdentity(const TFileDescriptor& fd) {
  struct stat info {};
  return TIdentity(fd.IsOpen() && ::fstat(fd.Get(), &info) == 0 ? &info : nullptr);
}

std::vector<TIdentity> JournalIdentities(const std::string& anchor) {
  std::vector<TIdentity> identities;
  for (const TCommitPlace& place : JournalPlaces(anchor)) {
    identities.push_back(NamedIdentity(place.JournalPath()));
  }
  return identities;
}

// The file that holds what `target` counts as while the journal's save is unfinished.
std::string SourceOf(const std::string& target, const std::optional<TPlacedJournal>& placed) {
  if (!placed) return target;
  const bool committed = placed->Journal.State == TFileJournal::TState::Committed;
  for (const TFileJournal::TEntry& entry : placed->Journal.Entries) {
    if (entry.Target != target) continue;
    if (committed && !entry.Temporary.empty() && NamedIdentity(entry.Temporary).Exists) {
      return entry.Temporary;
    }
    if (!committed && !entry.Backup.empty()) return entry.Backup;
  }
  return target;
}

struct TSource {
  std::string Path;
  TIdentity Named{nullptr};  // what the name gave before opening
  TFileDescriptor Fd;
  TIdentity Opened{nullptr};
};

void OpenSource(TSource& source, const std::string& reported, TFileContent& content) {
  try {
    if (const int error = TryOpenRegularFile(source.Path, O_RDONLY, source.Fd)) {
      RaiseFileError("Cannot open file", reported, error);
    }
    source.Opened = OpenIdentity(source.Fd);
  } catch (const EMervantaError&) {
    content.Failure = std::current_exception();
  }
}

}  // namespace

std::vector<TFileContent> ReadFilesTogether(const std::string& anchor,
                                            const std::vector<std::string>& paths) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(attempt, 10)));
    const std::string anchorTarget = ResolveLinks(anchor);
    std::vector<std::string> targets;
    for (const std::string& path : paths) targets.push_back(ResolveLinks(path));
    const std::vector<TIdentity> journals = JournalIdentities(anchorTarget);
    const std::optional<TPlacedJournal> placed = FindJournal(anchorTarget, targets);

    std::vector<TFileContent> contents(paths.size());
    std::vector<TSource> sources(paths.size());
    for (std::size_t i = 0; i < paths.size(); ++i) {
      const std::string source = SourceOf(targets[i], placed);
      sources[i].Path = source == targets[i] ? paths[i] : source;
      sources[i].Named = NamedIdentity(sources[i].Path);
      OpenSource(sources[i], paths[i], contents[i]);
    }
    // The files opened must all be those the names gave at one moment.
    bool together = JournalIdentities(anchorTarget) == journals;
    for (const TSource& source : sources) {
      together = together && NamedIdentity(source.Path).SameFile(source.Named) &&
                 (!source.Fd.IsOpen() || source.Opened.SameFile(source.Named));
    }
    if (!together) continue;
    for (std::size_t i = 0; i < paths.size(); ++i) {
      if (contents[i].Failure) continue;
      try {
        contents[i].Bytes = ReadToEnd(sources[i].Fd.Get(), paths[i]);
      } catch (const EMervantaError&) {
        contents[i].Failure = std::current_exception();
      }
    }
    // None rewritten in place while they were read.
    for (const TSource& source : sources) {
      together = together && (!source.Fd.IsOpen() || OpenIdentity(source.Fd) == source.Opened);
    }
    if (together) return contents;
  }
  throw EMervantaError("The files of \"" + anchor + "\" keep changing while they are read");
}

}  // namespace mervanta
