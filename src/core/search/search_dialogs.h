#pragma once

#include <memory>
#include <string>

#include "search/usual_search.h"

namespace mervanta {

class TRecords;
class TSearch;
class TTableSources;

// The dialogs a search asks its terms in. The search manager owns the searching and the
// history; the front end owns the dialogs and installs them at start-up, tests install fakes.
class TSearchDialogs {
 public:
  virtual ~TSearchDialogs() = default;

  // The quick search box opened with `text`: true on OK, with `text` holding what was entered.
  virtual bool QuickSearchText(std::string& text) = 0;
  // The card in its "Normal Search" mode on `all`, opened with `values`: true on "Find", with
  // one value per column position in `values`.
  virtual bool NormalSearchValues(TRecords& all, TUsualValues& values) = 0;
  // The advanced search wizard on the sources: the search it built, or null when cancelled.
  virtual std::unique_ptr<TSearch> AdvancedSearch(TTableSources& sources) = 0;
};

// The installed dialogs, or ones that cancel at once when none are installed.
TSearchDialogs& SearchDialogs();
// Installs dialogs for the rest of the run; nullptr goes back to the cancelling ones.
void InstallSearchDialogs(TSearchDialogs* dialogs);

}  // namespace mervanta
