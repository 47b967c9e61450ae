#include "app/qt_search_dialogs.h"

#include "dialogs/quick_search_dialog.h"
#include "search/search.h"
#include "views/card_form.h"
#include "wizards/advanced_search_wizard.h"

namespace mervanta {

TQtSearchDialogs::TQtSearchDialogs(QWidget* parent) : Parent_(parent) {
  InstallSearchDialogs(this);
}

TQtSearchDialogs::~TQtSearchDialogs() {
  InstallSearchDialogs(nullptr);
}

bool TQtSearchDialogs::QuickSearchText(std::string& text) {
  return QuickSearchDialog(Parent_, text);
}

bool TQtSearchDialogs::NormalSearchValues(TRecords& all, TUsualValues& values) {
  return NormalSearchCard(Parent_, all, values);
}

std::unique_ptr<TSearch> TQtSearchDialogs::AdvancedSearch(TTableSources& sources) {
  return TSearchExForm::Execute(Parent_, sources);
}

}  // namespace mervanta
