#pragma once

#include "search/search_by_conditions.h"

namespace mervanta {

// The search by values that the advanced search wizard builds from its condition rows.
class TExtendedSearch final : public TSearchByConditions {
 public:
  using TSearchByConditions::TSearchByConditions;
};

}  // namespace mervanta
