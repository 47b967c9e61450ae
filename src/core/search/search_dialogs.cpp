#include "search/search_dialogs.h"

#include "search/search.h"

namespace mervanta {

namespace {

class TCancellingDialogs final : public TSearchDialogs {
 public:
  bool QuickSearchText(std::string&) override { return false; }
  bool NormalSearchValues(TRecords&, TUsualValues&) override { return false; }
  std::unique_ptr<TSearch> AdvancedSearch(TTableSources&) override { return nullptr; }
};

TSearchDialogs* Installed = nullptr;

}  // namespace

TSearchDialogs& SearchDialogs() {
  static TCancellingDialogs cancelling;
  return Installed != nullptr ? *Installed : cancelling;
}

void InstallSearchDialogs(TSearchDialogs* dialogs) {
  Installed = dialogs;
}

}  // namespace mervanta
