#include "search/quick_search_history.h"

#include <algorithm>

#include "settings/options.h"
#include "support/xml_tag.h"

namespace mervanta {

namespace {

constexpr std::string_view kHistory = "History";

TXmlTag& HistoryTag(TXmlTag& settingsRoot) {
  return *settingsRoot.Child("Session")->Child("SearchFastForm");
}

}  // namespace

TQuickSearchHistory::TQuickSearchHistory(TXmlTag& settingsRoot) : SettingsRoot_(settingsRoot) {
  if (Options().Search->StoreQuickSearchHistory->Value()) {
    Items_ = CommaTextToList(HistoryTag(settingsRoot).ReadString(kHistory));
  }
}

void TQuickSearchHistory::Confirm(const std::string& text) {
  if (text.empty()) return;
  const auto equal = std::find(Items_.begin(), Items_.end(), text);
  if (equal != Items_.end()) Items_.erase(equal);
  Items_.insert(Items_.begin(), text);
  if (Items_.size() > kMaxCount) Items_.resize(kMaxCount);
  HistoryTag(SettingsRoot_).WriteString(kHistory, ListToCommaText(Items_));
}

int AdjacentEntry(const TStringList& items, std::string_view text, bool next) {
  if (items.empty()) return -1;
  const auto equal = std::find(items.begin(), items.end(), text);
  if (equal == items.end()) return 0;
  const int index = static_cast<int>(equal - items.begin());
  return std::clamp(index + (next ? 1 : -1), 0, static_cast<int>(items.size()) - 1);
}

}  // namespace mervanta
