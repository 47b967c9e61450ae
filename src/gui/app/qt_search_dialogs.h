#pragma once

#include "search/search_dialogs.h"

class QWidget;

namespace mervanta {

// The search manager's dialogs as the desktop shows them, installed while the object lives:
// the quick search box, the card in its "Normal Search" mode and the advanced search wizard.
class TQtSearchDialogs final : public TSearchDialogs {
 public:
  explicit TQtSearchDialogs(QWidget* parent);
  ~TQtSearchDialogs() override;

  bool QuickSearchText(std::string& text) override;
  bool NormalSearchValues(TRecords& all, TUsualValues& values) override;
  std::unique_ptr<TSearch> AdvancedSearch(TTableSources& sources) override;

 private:
  QWidget* Parent_;
};

}  // namespace mervanta
