#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

class TCommitPlace;

// The record of a save of several files, written beside them before the first of them
// changes, so that a save cut short is completed or undone when the files are next opened.
struct TFileJournal {
  enum class TState {
    // Backups of the files rewritten in place exist; those files may be half written.
    Prepared,
    // Every new file is complete: the files count as replaced.
    Committed,
  };
  struct TEntry {
    std::string Target;     // the replaced file, a path without symbolic links
    std::string Temporary;  // its new content beside it, renamed over it; or empty
    std::string Backup;     // or, rewritten in place, a copy of its old content
  };

  TState State = TState::Prepared;
  std::vector<TEntry> Entries;

  std::string Encode() const;
  // None for anything Encode does not make.
  static std::optional<TFileJournal> Decode(std::string_view text);
};

// A journal as found in a place.
struct TFoundJournal {
  enum class TStatus { None, Damaged, Found };
  TStatus Status = TStatus::None;
  TFileJournal Journal;
};

TFoundJournal ReadJournal(const TCommitPlace& place);
// Replaces the place's journal atomically; a failure throws EMervantaError naming `reported`,
// the user's file, and leaves the journal as it was. Once the new journal is in place, only
// flushing its folder to disk can fail: that returns the errno, else 0.
int WriteJournal(const TCommitPlace& place, const TFileJournal& journal,
                 const std::string& reported);

// Flushes a folder's entries (names made, renamed or removed) to disk; false on failure.
bool SyncFolder(const std::string& folder);

}  // namespace mervanta
