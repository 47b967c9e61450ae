#include "model/value_reader.h"

#include <algorithm>

namespace mervanta {

void TValueReader::Plan() {
  int last = -1;
  for (const TStep& step : Steps_) {
    if (step.Field < 0) continue;
    if (step.Field < last) Ascending_ = false;
    last = step.Field;
  }
  if (Ascending_) return;
  for (const TStep& step : Steps_) {
    if (step.Field >= 0) Fields_.push_back(step.Field);
  }
  std::ranges::sort(Fields_);
  Fields_.erase(std::unique(Fields_.begin(), Fields_.end()), Fields_.end());
  for (TStep& step : Steps_) {
    if (step.Field < 0) continue;
    step.Slot =
        static_cast<std::size_t>(std::ranges::lower_bound(Fields_, step.Field) - Fields_.begin());
  }
  Gathered_.resize(Fields_.size());
}

void TValueReader::Gather(const TRecord& record) {
  TFieldArray::TCursor fields(record.Fields());
  for (std::size_t k = 0; k < Fields_.size(); ++k) Gathered_[k] = fields.Field(Fields_[k]);
}

}  // namespace mervanta
