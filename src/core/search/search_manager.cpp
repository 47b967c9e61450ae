#include "search/search_manager.h"

#include "model/record_map.h"
#include "model/table_sources.h"
#include "search/fast_search.h"
#include "search/search_dialogs.h"
#include "search/usual_search.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/numbers.h"
#include "support/progress.h"
#include "support/user_interface.h"

namespace mervanta {

TSearchManager::TSearchManager(TTableSources& sources)
    : Sources_(sources), Subscription_(BindListener<&TSearchManager::Heard>(this)) {}

TSearchManager::~TSearchManager() = default;

void TSearchManager::QuickSearch() {
  const TFastSearch* previous = FindPrevious<TFastSearch>();
  std::string text = previous != nullptr ? previous->Text() : std::string();
  if (SearchDialogs().QuickSearchText(text)) {
    Run(std::make_unique<TFastSearch>(Sources_.All, text));
  }
}

void TSearchManager::NormalSearch() {
  TUsualValues values;
  if (const TUsualSearch* previous = FindPrevious<TUsualSearch>()) values = previous->Values();
  if (SearchDialogs().NormalSearchValues(Sources_.All, values)) {
    Run(std::make_unique<TUsualSearch>(Sources_.All, values));
  }
}

void TSearchManager::AdvancedSearch() {
  if (std::unique_ptr<TSearch> search = SearchDialogs().AdvancedSearch(Sources_)) {
    Run(std::move(search));
  }
}

void TSearchManager::Run(std::unique_ptr<TSearch> search) {
  const bool storeHistory = Options().Search->StoreHistory->Value();
  std::optional<THistoryItem> previous;
  if (storeHistory) previous = TakeCurrent();
  const auto makeCurrent = [&] {
    ForwardHistory_.clear();
    if (storeHistory) {
      while (BackHistory_.size() >= kMaxBackHistory) BackHistory_.pop_front();
      if (previous) BackHistory_.push_back(std::move(*previous));
    }
    CurrentSearch_ = std::move(search);
  };
  int count = 0;
  try {
    count = search->Execute(Sources_.SearchResults);
  } catch (const EOperationAborted&) {
    // A cancelled search changes nothing; one that fails is current all the same.
    if (previous) CurrentSearch_ = std::move(previous->Search);
    throw;
  } catch (...) {
    makeCurrent();
    throw;
  }
  makeCurrent();
  ShowFound();
  Inform(count);
}

void TSearchManager::ShowFound() {
  const TRecords& found = Sources_.SearchResults;
  if (found.Count() == 0) return;
  if (Options().Search->OpenFoundPage->Value()) {
    Sources_.SetCurrentIndex(TTableSources::kSearchResultsIndex);
  } else {
    Sources_.All.SetItemIndex(Sources_.All.IndexOf(found.Item(0)));
  }
}

void TSearchManager::Inform(int count) {
  const TSearchCategory& options = *Options().Search;
  if (count > 0 && options.InformCount->Value()) {
    ShowMessageBox("Records found: " + GroupedCount(count), "Information");
  } else if (count == 0 && options.InformEmpty->Value()) {
    ShowMessageBox("No results found", "Information");
  }
}

void TSearchManager::GoBack() {
  if (!CanGoBack()) return;
  TBusyScope busy;
  if (std::optional<THistoryItem> item = TakeCurrent()) {
    ForwardHistory_.push_front(std::move(*item));
  }
  THistoryItem item = std::move(BackHistory_.back());
  BackHistory_.pop_back();
  Restore(std::move(item));
}

void TSearchManager::GoForward() {
  if (!CanGoForward()) return;
  TBusyScope busy;
  if (std::optional<THistoryItem> item = TakeCurrent()) BackHistory_.push_back(std::move(*item));
  THistoryItem item = std::move(ForwardHistory_.front());
  ForwardHistory_.pop_front();
  Restore(std::move(item));
}

void TSearchManager::ClearHistory() {
  BackHistory_.clear();
  ForwardHistory_.clear();
  CurrentSearch_.reset();
}

const TSearch* TSearchManager::FindPrevious(bool (*isKind)(const TSearch&)) const {
  if (Options().Search->Reset->Value()) return nullptr;
  if (CurrentSearch_ != nullptr && isKind(*CurrentSearch_)) return CurrentSearch_.get();
  for (auto item = BackHistory_.rbegin(); item != BackHistory_.rend(); ++item) {
    if (isKind(*item->Search)) return item->Search.get();
  }
  return nullptr;
}

bool TSearchManager::LocateMatch(const TColumn& column, const TRecord& record,
                                 TMatchSpan& span) const {
  return CurrentSearch_ != nullptr && CurrentSearch_->LocateMatch(column, record, span);
}

void TSearchManager::ForgetRecord(const TRecord& record) {
  for (auto* history : {&BackHistory_, &ForwardHistory_}) {
    for (THistoryItem& item : *history) item.Results->Remove(record);
  }
}

void TSearchManager::ForgetRecords(const TRecords& list) {
  for (auto* history : {&BackHistory_, &ForwardHistory_}) {
    for (THistoryItem& item : *history) item.Results->RemoveList(list);
  }
}

std::optional<THistoryItem> TSearchManager::TakeCurrent() {
  if (CurrentSearch_ == nullptr) return std::nullopt;
  auto results = std::make_unique<TRecords>(Sources_.Columns(), &Sources_.All);
  results->AddList(Sources_.SearchResults);
  return THistoryItem{std::move(CurrentSearch_), std::move(results)};
}

void TSearchManager::Restore(THistoryItem item) {
  CurrentSearch_ = std::move(item.Search);
  const TRecords& stored = *item.Results;
  TRecordMap<bool> held(static_cast<std::size_t>(stored.Count()));
  for (const TRecord* record : stored.Items()) held[record] = false;
  for (const TRecord* record : Sources_.All.Items()) {
    if (bool* present = held.Find(record)) *present = true;
  }
  TRecords& results = Sources_.SearchResults;
  TRecordsUpdate update(results);
  results.Clear();
  results.SetCapacity(stored.Count());
  for (TRecord* record : stored.Items()) {
    if (*held.Find(record)) results.Add(*record);
  }
}

void TSearchManager::Heard(const TMsg& msg) {
  if (msg.Sender != &Sources_.Columns()) return;
  switch (msg.Code) {
    case TMsgCode::ColumnAdded:
    case TMsgCode::ColumnDeleted:
    case TMsgCode::ColumnMoved:
    case TMsgCode::ColumnsReloaded:
      ClearHistory();
      break;
    default:
      break;
  }
}

}  // namespace mervanta
