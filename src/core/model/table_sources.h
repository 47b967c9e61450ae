#pragma once

#include "model/sources.h"
#include "settings/integer_property.h"
#include "settings/properties_category.h"

namespace mervanta {

class TXmlTag;

// The three lists of every table: "All" owns the records, "Search Results" and "Chosen" refer
// to them. The view state is kept in the description file's "Session" element.
class TTableSources final : public TSources {
 public:
  static constexpr int kAllIndex = 0;
  static constexpr int kSearchResultsIndex = 1;
  static constexpr int kChosenIndex = 2;

  TTableSources();

  TRecords& All;
  TRecords& SearchResults;
  TRecords& Chosen;

  // Unbounded, default 0; the record view reads and writes them.
  TPropertiesCategory ViewState{"Session", "Session"};
  TIntegerProperty* const HorzPoz;
  TIntegerProperty* const SelIndex;
  TIntegerProperty* const TopIndex;

  // Reads the "Session" child of the description's root; a missing one leaves zeros.
  void LoadViewState(TXmlTag& root);
  // Takes the selected index of "All" first.
  void SaveViewState(TXmlTag& root);
};

}  // namespace mervanta
