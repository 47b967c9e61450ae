#pragma once

#include <string>

#include "search/search_by_conditions.h"

namespace mervanta {

// The quick search: records with the text in any column, hidden and computed ones included,
// ignoring case. An empty text finds every record.
class TFastSearch final : public TSearchByConditions {
 public:
  TFastSearch(TRecords& source, std::string text);

  const std::string& Text() const { return Text_; }

 private:
  std::string Text_;
};

}  // namespace mervanta
