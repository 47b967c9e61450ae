#pragma once

#include <string>
#include <string_view>

#include "support/string_list.h"

namespace mervanta {

class TXmlTag;

// The texts confirmed in the quick search box, newest first, kept in the settings document
// as the comma text of the attribute "History" of "Session"/"SearchFastForm".
class TQuickSearchHistory {
 public:
  static constexpr int kMaxCount = 32;

  // Reads the stored texts from the settings root when the option StoreQuickSearchHistory
  // is on; without it the list starts empty.
  explicit TQuickSearchHistory(TXmlTag& settingsRoot);

  const TStringList& Items() const { return Items_; }

  // What OK does with the box's text: a non-empty text moves to the front, the oldest beyond
  // the limit go, and the list is written back even without the option, which then empties
  // it when the options are saved. An empty text leaves the list as it is.
  void Confirm(const std::string& text);

 private:
  TXmlTag& SettingsRoot_;
  TStringList Items_;
};

// The entry Page Up (`next` false) or Page Down (`next` true) puts into the box: the one before
// or after the entry equal to `text`, held at the ends; the first entry when `text` is not in
// the list; -1 when the list is empty.
int AdjacentEntry(const TStringList& items, std::string_view text, bool next);

}  // namespace mervanta
