#include "model/table_sources.h"

namespace mervanta {

TTableSources::TTableSources()
    : All(AddSource("All", nullptr)),
      SearchResults(AddSource("Search Results", &All)),
      Chosen(AddSource("Chosen", &All)),
      HorzPoz(ViewState.AddProperty<TIntegerProperty>("HorzPoz", "HorzPoz", 0)),
      SelIndex(ViewState.AddProperty<TIntegerProperty>("SelIndex", "SelIndex", 0)),
      TopIndex(ViewState.AddProperty<TIntegerProperty>("TopIndex", "TopIndex", 0)) {}

void TTableSources::LoadViewState(TXmlTag& root) {
  ViewState.LoadFromXml(root);
}

void TTableSources::SaveViewState(TXmlTag& root) {
  SelIndex->SetValue(All.ItemIndex());
  ViewState.SaveToXml(root);
}

}  // namespace mervanta
