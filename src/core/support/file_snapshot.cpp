#include "support/file_snapshot.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
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
  std::exception_ptr Failure;
};

// Opens what each path counts as now; false when a save moved any of them meanwhile, so that
// the files opened were not all current at one moment.
bool OpenTogether(const std::string& anchor, const std::vector<std::string>& paths,
                  std::vector<TSource>& sources) {
  const std::string anchorTarget = ResolveLinks(anchor);
  const std::vector<TIdentity> journals = JournalIdentities(anchorTarget);
  const std::optional<TPlacedJournal> placed = FindJournal(anchorTarget);
  sources = std::vector<TSource>(paths.size());
  for (std::size_t i = 0; i < paths.size(); ++i) {
    TSource& source = sources[i];
    const std::string target = ResolveLinks(paths[i]);
    const std::string committed = SourceOf(target, placed);
    source.Path = committed == target ? paths[i] : committed;
    source.Named = NamedIdentity(source.Path);
    try {
      if (const int error = TryOpenRegularFile(source.Path, O_RDONLY, source.Fd)) {
        RaiseFileError("Cannot open file", paths[i], error);
      }
      source.Opened = OpenIdentity(source.Fd);
    } catch (const EMervantaError&) {
      source.Failure = std::current_exception();
    }
  }
  bool together = JournalIdentities(anchorTarget) == journals;
  for (const TSource& source : sources) {
    together = together && NamedIdentity(source.Path).SameFile(source.Named) &&
               (!source.Fd.IsOpen() || source.Opened.SameFile(source.Named));
  }
  return together;
}

void WaitBeforeAttempt(int attempt) {
  if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(std::min(attempt, 10)));
}

[[noreturn]] void RaiseChanging(const std::string& anchor) {
  throw EMervantaError("The files of \"" + anchor + "\" keep changing while they are read");
}

}  // namespace

void ReadFilesTogether(const std::string& anchor, const std::vector<std::string>& paths,
                       const std::function<void(const std::vector<TOpenedFile>&)>& read) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    WaitBeforeAttempt(attempt);
    std::vector<TSource> sources;
    if (!OpenTogether(anchor, paths, sources)) continue;
    std::vector<TOpenedFile> opened(sources.size());
    for (std::size_t i = 0; i < sources.size(); ++i) {
      opened[i] = {sources[i].Fd.Get(), sources[i].Failure};
    }
    read(opened);
    // None rewritten in place while they were read.
    const bool unchanged = std::all_of(sources.begin(), sources.end(), [](const TSource& source) {
      return !source.Fd.IsOpen() || OpenIdentity(source.Fd) == source.Opened;
    });
    if (unchanged) return;
  }
  RaiseChanging(anchor);
}

std::vector<TFileContent> ReadFilesTogether(const std::string& anchor,
                                            const std::vector<std::string>& paths) {
  std::vector<TFileContent> contents;
  ReadFilesTogether(anchor, paths, [&](const std::vector<TOpenedFile>& files) {
    contents.assign(paths.size(), TFileContent{});
    for (std::size_t i = 0; i < paths.size(); ++i) {
      contents[i].Failure = files[i].Failure;
      if (contents[i].Failure) continue;
      try {
        contents[i].Bytes = ReadToEnd(files[i].Fd, paths[i]);
      } catch (const EMervantaError&) {
        contents[i].Failure = std::current_exception();
      }
    }
  });
  return contents;
}

TFileDescriptor OpenCommittedFile(const std::string& anchor, const std::string& path) {
  for (int attempt = 0; attempt < kAttempts; ++attempt) {
    WaitBeforeAttempt(attempt);
    std::vector<TSource> sources;
    if (!OpenTogether(anchor, {path}, sources)) continue;
    if (sources[0].Failure) std::rethrow_exception(sources[0].Failure);
    return std::move(sources[0].Fd);
  }
  RaiseChanging(anchor);
}

}  // namespace mervanta
