#include "support/msg_sender.h"

#include <algorithm>
#include <utility>

namespace mervanta {

void TMsgSender::Register(TMsgListener listener) {
  Listeners_.push_back({listener, false});
}

void TMsgSender::Unregister(TMsgListener listener) {
  for (std::size_t i = Listeners_.size(); i-- > 0;) {
    TEntry& entry = Listeners_[i];
    if (entry.Removed || !(entry.Listener == listener)) continue;
    if (Delivering_ > 0) {
      // The delivery loop holds positions; mark now, remove when the outermost send ends.
      entry.Removed = true;
      HasRemoved_ = true;
    } else {
      Listeners_.erase(Listeners_.begin() + static_cast<std::ptrdiff_t>(i));
    }
    return;
  }
}

void TMsgSender::Send(const void* sender, TMsgCode code, std::intptr_t param1,
                      std::intptr_t param2) {
  if (Listeners_.empty() || IsBlocked(sender)) return;
  const TMsg msg{sender, code, param1, param2};
  struct TDeliveryScope {
    TMsgSender& Hub;
    explicit TDeliveryScope(TMsgSender& hub) : Hub(hub) { ++Hub.Delivering_; }
    ~TDeliveryScope() {
      if (--Hub.Delivering_ == 0 && Hub.HasRemoved_) Hub.Compact();
    }
  } scope(*this);
  for (std::size_t i = Listeners_.size(); i-- > 0;) {
    // Copy: the listener may register others and so move the list.
    const TEntry entry = Listeners_[i];
    if (!entry.Removed) entry.Listener.Method(entry.Listener.Object, msg);
  }
}

void TMsgSender::Compact() {
  std::erase_if(Listeners_, [](const TEntry& entry) { return entry.Removed; });
  HasRemoved_ = false;
}

void TMsgSender::Block(const void* sender) {
  Blocked_.push_back(sender);
}

void TMsgSender::Unblock(const void* sender) {
  auto it = std::find(Blocked_.begin(), Blocked_.end(), sender);
  if (it != Blocked_.end()) Blocked_.erase(it);
}

bool TMsgSender::IsBlocked(const void* sender) const {
  return std::find(Blocked_.begin(), Blocked_.end(), sender) != Blocked_.end();
}

int TMsgSender::ListenerCount() const {
  return static_cast<int>(std::count_if(Listeners_.begin(), Listeners_.end(),
                                        [](const TEntry& entry) { return !entry.Removed; }));
}

std::vector<TMsgListener> TMsgSender::Listeners() const {
  std::vector<TMsgListener> listeners;
  for (const TEntry& entry : Listeners_) {
    if (!entry.Removed) listeners.push_back(entry.Listener);
  }
  return listeners;
}

namespace {

thread_local TMsgSender* ThreadHub = nullptr;

}  // namespace

TMsgSender& MsgSender() {
  if (ThreadHub != nullptr) return *ThreadHub;
  static TMsgSender sender;
  return sender;
}

TThreadMsgSender::TThreadMsgSender() : Previous_(std::exchange(ThreadHub, &Hub_)) {}

TThreadMsgSender::~TThreadMsgSender() {
  ThreadHub = Previous_;
}

}  // namespace mervanta
