#include "support/file_journal.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "support/commit_place.h"
#include "support/errors.h"
#include "support/file_descriptor.h"
#include "support/file_io.h"
#include "support/file_system.h"

namespace mervanta {

namespace {

constexpr std::string_view kHeader = "mervanta-journal 1 ";
constexpr std::string_view kPrepared = "prepared";
constexpr std::string_view kCommitted = "committed";
constexpr std::string_view kRename = "rename ";
constexpr std::string_view kInPlace = "inplace ";
constexpr std::string_view kEnd = "end\n";

// Paths may hold any byte but NUL, line breaks and blanks included: each is written with its
// length in front.
void AppendField(std::string& text, std::string_view field) {
  text += std::to_string(field.size());
  text += ':';
  text += field;
}

class TJournalReader {
 public:
  explicit TJournalReader(std::string_view text) : Text_(text) {}

  bool Take(std::string_view expected) {
    if (!Text_.starts_with(expected)) return false;
    Text_.remove_prefix(expected.size());
    return true;
  }
  bool TakeField(std::string& field) {
    std::size_t length = 0;
    std::size_t digits = 0;
    while (digits < Text_.size() && digits < 6 && Text_[digits] >= '0' && Text_[digits] <= '9') {
      length = length * 10 + static_cast<std::size_t>(Text_[digits] - '0');
      ++digits;
    }
    if (digits == 0 || digits >= Text_.size() || Text_[digits] != ':' ||
        Text_.size() - digits - 1 < length || length == 0) {
      return false;
    }
    field.assign(Text_.substr(digits + 1, length));
    if (field.find('\0') != std::string::npos) return false;
    Text_.remove_prefix(digits + 1 + length);
    return true;
  }
  bool AtEnd() const { return Text_.empty(); }

 private:
  std::string_view Text_;
};

}  // namespace

std::string TFileJournal::Encode() const {
  std::string text(kHeader);
  text += State == TState::Committed ? kCommitted : kPrepared;
  text += '\n';
  for (const TEntry& entry : Entries) {
    const bool inPlace = entry.Temporary.empty();
    text += inPlace ? kInPlace : kRename;
    AppendField(text, entry.Target);
    text += ' ';
    AppendField(text, inPlace ? entry.Backup : entry.Temporary);
    text += '\n';
  }
  text += kEnd;
  return text;
}

std::optional<TFileJournal> TFileJournal::Decode(std::string_view text) {
  TJournalReader reader(text);
  TFileJournal journal;
  if (!reader.Take(kHeader)) return std::nullopt;
  if (reader.Take(kCommitted)) {
    journal.State = TState::Committed;
  } else if (!reader.Take(kPrepared)) {
    return std::nullopt;
  }
  if (!reader.Take("\n")) return std::nullopt;
  while (!reader.Take(kEnd)) {
    TEntry entry;
    const bool inPlace = reader.Take(kInPlace);
    if (!inPlace && !reader.Take(kRename)) return std::nullopt;
    if (!reader.TakeField(entry.Target) || !reader.Take(" ") ||
        !reader.TakeField(inPlace ? entry.Backup : entry.Temporary) || !reader.Take("\n")) {
      return std::nullopt;
    }
    journal.Entries.push_back(std::move(entry));
  }
  if (!reader.AtEnd() || journal.Entries.empty()) return std::nullopt;
  return journal;
}

TFoundJournal ReadJournal(const TCommitPlace& place) {
  TFoundJournal found;
  const std::string path = place.JournalPath();
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 && errno == ENOENT) return found;
  found.Status = TFoundJournal::TStatus::Damaged;
  try {
    std::optional<TFileJournal> journal = TFileJournal::Decode(ReadRegularFile(path));
    if (journal) {
      found.Status = TFoundJournal::TStatus::Found;
      found.Journal = std::move(*journal);
    }
  } catch (const EMervantaError&) {
    // Unreadable is damaged.
  }
  return found;
}

int WriteJournal(const TCommitPlace& place, const TFileJournal& journal,
                 const std::string& reported) {
  constexpr const char* kSaveFailed = "Cannot save file";
  const std::string text = journal.Encode();
  std::string temporary;
  TFileDescriptor fd;
  for (int attempt = 0; attempt < 100 && !fd.IsOpen(); ++attempt) {
    temporary = place.NewName("new");
    fd = TFileDescriptor(sys::Open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600));
    if (!fd.IsOpen() && errno != EEXIST) RaiseFileError(kSaveFailed, reported, errno);
  }
  if (!fd.IsOpen()) RaiseFileError(kSaveFailed, reported, EEXIST);
  try {
    TFileWriter writer(fd.Get(), reported);
    writer.Write(text);
    writer.Flush();
    if (sys::Sync(fd.Get()) != 0 ||
        sys::Rename(temporary.c_str(), place.JournalPath().c_str()) != 0) {
      RaiseFileError(kSaveFailed, reported, errno);
    }
  } catch (...) {
    sys::Unlink(temporary.c_str());
    throw;
  }
  return SyncFolder(place.Folder()) ? 0 : errno;
}

bool SyncFolder(const std::string& folder) {
  TFileDescriptor fd(sys::Open(folder.c_str(), O_RDONLY | O_DIRECTORY));
  return fd.IsOpen() && sys::Sync(fd.Get()) == 0;
}

}  // namespace mervanta
