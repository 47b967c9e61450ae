#include "model/sources.h"

#include "support/msg_sender.h"
#include "support/numbers.h"

namespace mervanta {

TSources::TSources() : Columns_(std::make_unique<TColumns>()) {}

TSources::~TSources() {
  while (!Lists_.empty()) Lists_.pop_back();
}

TRecords& TSources::AddSource(std::string name, TRecords* master) {
  auto records = std::make_unique<TRecords>(*Columns_, master);
  TRecords& added = *records;
  Lists_.push_back({std::move(name), std::move(records)});
  Enabled_.push_back(1);
  return added;
}

std::string TSources::SourceCaption(int index) const {
  return SourceName(index) + ": " + GroupedCount(Source(index).Count());
}

TRecords* TSources::CurrentSource() const {
  return CurrentIndex_ < 0 ? nullptr : &Source(CurrentIndex_);
}

TRecord* TSources::CurrentRecord() const {
  const TRecords* source = CurrentSource();
  if (source == nullptr || source->ItemIndex() < 0) return nullptr;
  return &source->Item(source->ItemIndex());
}

void TSources::SetCurrentIndex(int index) {
  if (index == CurrentIndex_) return;
  CurrentIndex_ = index;
  MsgSender().Send(this, TMsgCode::CurrentSourceChanged);
}

void TSources::SetSourceEnabled(int index, bool enabled) {
  std::uint8_t& flag = Enabled_[static_cast<std::size_t>(index)];
  if (flag == static_cast<std::uint8_t>(enabled)) return;
  flag = enabled;
  if (CurrentIndex_ >= 0 && !SourceEnabled(CurrentIndex_)) SetCurrentIndex(NextEnabledSource());
  MsgSender().Send(this, TMsgCode::SourcesEnabledChanged);
}

int TSources::NextEnabledSource() const {
  for (int i = CurrentIndex_ + 1; i < SourceCount(); ++i) {
    if (SourceEnabled(i)) return i;
  }
  for (int i = 0; i <= CurrentIndex_; ++i) {
    if (SourceEnabled(i)) return i;
  }
  return -1;
}

}  // namespace mervanta
