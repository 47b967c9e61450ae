#pragma once

#include <array>
#include <string>

#include "model/columns.h"
#include "search/search_by_conditions.h"

namespace mervanta {

// One text per column position, as the card of the normal search collects them.
using TUsualValues = std::array<std::string, TColumns::kMaxColumns>;

// The normal search: records that contain each non-empty value in its column, ignoring case.
// With every value empty it keeps all records.
class TUsualSearch final : public TSearchByConditions {
 public:
  TUsualSearch(TRecords& source, const TUsualValues& values);

  const TUsualValues& Values() const { return Values_; }

 private:
  TUsualValues Values_;
};

}  // namespace mervanta
