#pragma once

#include <deque>
#include <memory>
#include <optional>

#include "model/records.h"
#include "search/search.h"
#include "support/msg_sender.h"

namespace mervanta {

class TTableSources;

// An earlier result: the search that made it and a copy of "Search Results" as it was, holding
// references to records of "All".
struct THistoryItem {
  std::unique_ptr<TSearch> Search;
  std::unique_ptr<TRecords> Results;
};

// The one place a table's searches run through: it builds the quick and normal searches,
// runs every search into "Search Results", tells the user what was found, and keeps the
// results for stepping back and forth. Stored searches refer to columns, so adding, deleting,
// moving or reloading columns forgets them all.
class TSearchManager {
 public:
  static constexpr std::size_t kMaxBackHistory = 32;

  explicit TSearchManager(TTableSources& sources);
  ~TSearchManager();
  TSearchManager(const TSearchManager&) = delete;
  TSearchManager& operator=(const TSearchManager&) = delete;

  // The find commands: each asks for its terms through the installed search dialogs, seeded
  // with the previous search of its kind, and runs the search when the user confirms. The
  // quick and normal searches search "All" and replace the result.
  void QuickSearch();
  void NormalSearch();
  void AdvancedSearch();

  // The forward history goes; the current result moves to the back history, or is dropped
  // without the option StoreHistory; then the search runs into "Search Results", its first
  // record is shown and the user is told how many records it found. A search that fails has
  // still become the current one, with "Search Results" left as they were.
  void Run(std::unique_ptr<TSearch> search);

  bool CanGoBack() const { return !BackHistory_.empty(); }
  bool CanGoForward() const { return !ForwardHistory_.empty(); }
  // Brings back the neighbouring result, without the records "All" no longer holds. Only
  // "Search Results" change: no message, no other current list. Nothing happens at the end
  // of the history.
  void GoBack();
  void GoForward();
  void ClearHistory();

  // The search to seed the next one of kind T with: the current one when of that kind, else
  // the newest such in the back history; none with the option Reset.
  template <class T>
  const T* FindPrevious() const {
    return dynamic_cast<const T*>(FindPrevious(
        [](const TSearch& search) { return dynamic_cast<const T*>(&search) != nullptr; }));
  }

  // What the current search highlights in the record's cell; false without a search.
  bool LocateMatch(const TColumn& column, const TRecord& record, TMatchSpan& span) const;

  TSearch* CurrentSearch() const { return CurrentSearch_.get(); }
  // Oldest first.
  const std::deque<THistoryItem>& BackHistory() const { return BackHistory_; }
  // Nearest first.
  const std::deque<THistoryItem>& ForwardHistory() const { return ForwardHistory_; }

  // Takes records that are being deleted out of the stored results before they are freed,
  // since a record made later may take a freed one's place.
  void ForgetRecord(const TRecord& record);
  void ForgetRecords(const TRecords& list);

 private:
  const TSearch* FindPrevious(bool (*isKind)(const TSearch&)) const;
  // The current search with a copy of "Search Results"; none without a current search.
  std::optional<THistoryItem> TakeCurrent();
  void Restore(THistoryItem item);
  void ShowFound();
  static void Inform(int count);
  void Heard(const TMsg& msg);

  TTableSources& Sources_;
  std::deque<THistoryItem> BackHistory_;
  std::deque<THistoryItem> ForwardHistory_;
  std::unique_ptr<TSearch> CurrentSearch_;
  TMsgSubscription Subscription_;
};

}  // namespace mervanta
