#pragma once

#include <cstdint>
#include <vector>

namespace mervanta {

// Every notice a listener can hear, grouped by its sender. A listener tells senders apart by
// comparing msg.Sender with the objects it knows and reads what a code carries through the
// sender's typed notice in model/notices.h, never through the raw parameters of TMsg.
enum class TMsgCode : int {
  // From the options object (Options()); carries nothing.
  OptionsChanged = 10,

  // From a column list (TColumns); read through TColumnNotice: the column concerned and, for
  // ColumnDeleted and ColumnMoved, its former field index.
  ColumnAdded = 20,
  ColumnDeleted = 23,
  ColumnMoved = 25,
  ColumnsReloaded = 27,
  ColumnChanged = 28,
  ColumnsShownChanged = 29,
  ColumnsPrintChanged = 30,
  ColumnsExportChanged = 31,

  // From a record list (TRecords); read through TRecordsNotice: ItemIndexChanged and
  // HasCurrentChanged carry the former current index, the others nothing.
  CountChanged = 50,
  OrderChanged = 55,
  RecordEdited = 57,
  FieldsChanged = 58,
  MarksChanged = 59,
  SortChanged = 61,
  ItemIndexChanged = 63,
  HasCurrentChanged = 65,
  BeginUpdate = 67,
  EndUpdate = 68,

  // From a table (TTable); carries nothing.
  ModifiedChanged = 71,
  // For the desktop program's record list; carries nothing.
  RecordActivated = 79,

  // From a table's lists (TSources); carry nothing.
  CurrentSourceChanged = 81,
  SourcesEnabledChanged = 83,
};

struct TMsg {
  const void* Sender;
  TMsgCode Code;
  std::intptr_t Param1;
  std::intptr_t Param2;
};

// A bound method: the listening object and the member it wants called. Two listeners are the
// same when both parts are.
struct TMsgListener {
  void* Object;
  void (*Method)(void* object, const TMsg& msg);

  bool operator==(const TMsgListener&) const = default;
};

template <auto Member, class T>
TMsgListener BindListener(T* object) {
  return {object, [](void* target, const TMsg& msg) { (static_cast<T*>(target)->*Member)(msg); }};
}

// The process-wide hub through which model objects announce changes to whoever listens.
class TMsgSender {
 public:
  // The same listener registered twice is called twice.
  void Register(TMsgListener listener);
  // Removes the last registration of the listener; unknown listeners are ignored.
  void Unregister(TMsgListener listener);

  // Calls the listeners from the last registered to the first, at once. A listener removed
  // during the delivery is not called any more; one added during it waits for the next.
  void Send(const void* sender, TMsgCode code, std::intptr_t param1 = 0, std::intptr_t param2 = 0);

  // Notifications of a blocked sender are dropped. Blocks pile up: each block needs its own
  // unblock.
  void Block(const void* sender);
  void Unblock(const void* sender);
  bool IsBlocked(const void* sender) const;

  int ListenerCount() const;
  // The listeners still registered, in the order of their registration.
  std::vector<TMsgListener> Listeners() const;

 private:
  struct TEntry {
    TMsgListener Listener;
    bool Removed;
  };
  void Compact();

  std::vector<TEntry> Listeners_;
  std::vector<const void*> Blocked_;
  int Delivering_ = 0;
  bool HasRemoved_ = false;
};

// The hub of the process, or the calling thread's own while a TThreadMsgSender gives it one.
TMsgSender& MsgSender();

// Gives the calling thread a hub of its own for its lifetime: objects made on a thread that
// works away from the user's one register and announce there, unheard by the user's thread,
// until they are handed over with their listeners.
class TThreadMsgSender {
 public:
  TThreadMsgSender();
  ~TThreadMsgSender();
  TThreadMsgSender(const TThreadMsgSender&) = delete;
  TThreadMsgSender& operator=(const TThreadMsgSender&) = delete;

  TMsgSender& Hub() { return Hub_; }

 private:
  TMsgSender Hub_;
  TMsgSender* Previous_;
};

// Registers a listener for the lifetime of the object that holds it, so no object can forget
// to unregister.
class TMsgSubscription {
 public:
  explicit TMsgSubscription(TMsgListener listener) : Listener_(listener) {
    MsgSender().Register(listener);
  }
  ~TMsgSubscription() { MsgSender().Unregister(Listener_); }
  TMsgSubscription(const TMsgSubscription&) = delete;
  TMsgSubscription& operator=(const TMsgSubscription&) = delete;

 private:
  TMsgListener Listener_;
};

// Blocks a sender for a scope.
class TMsgBlock {
 public:
  explicit TMsgBlock(const void* sender) : Sender_(sender) { MsgSender().Block(sender); }
  ~TMsgBlock() { MsgSender().Unblock(Sender_); }
  TMsgBlock(const TMsgBlock&) = delete;
  TMsgBlock& operator=(const TMsgBlock&) = delete;

 private:
  const void* Sender_;
};

}  // namespace mervanta
