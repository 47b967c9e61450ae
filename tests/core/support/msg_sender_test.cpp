#include "support/msg_sender.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace mervanta {
namespace {

// Records every notification under its name and runs an optional action while being called.
class TRecorder {
 public:
  TRecorder(std::string name, std::string& log) : Name_(std::move(name)), Log_(log) {}
  void OnMessage(const TMsg& msg) {
    Log_ += Name_ + std::to_string(static_cast<int>(msg.Code)) + " ";
    if (Action) Action();
  }
  TMsgListener Listener() { return BindListener<&TRecorder::OnMessage>(this); }
  std::function<void()> Action;

 private:
  std::string Name_;
  std::string& Log_;
};

class MsgSenderTest : public testing::Test {
 protected:
  TMsgSender Hub;
  std::string Log;
  TRecorder A{"a", Log}, B{"b", Log}, C{"c", Log};
  const int Sender = 0;
};

TEST_F(MsgSenderTest, DeliversFromTheLastRegisteredToTheFirst) {
  Hub.Register(A.Listener());
  Hub.Register(B.Listener());
  Hub.Register(C.Listener());
  Hub.Send(&Sender, TMsgCode::ColumnAdded);
  EXPECT_EQ(Log, "c20 b20 a20 ");
}

TEST_F(MsgSenderTest, PassesSenderCodeAndParameters) {
  TMsg seen{};
  struct TProbe {
    TMsg* Target;
    void OnMessage(const TMsg& msg) { *Target = msg; }
  } probe{&seen};
  Hub.Register(BindListener<&TProbe::OnMessage>(&probe));
  Hub.Send(&Sender, TMsgCode::ColumnDeleted, 3, 77);
  EXPECT_EQ(seen.Sender, &Sender);
  EXPECT_EQ(seen.Code, TMsgCode::ColumnDeleted);
  EXPECT_EQ(seen.Param1, 3);
  EXPECT_EQ(seen.Param2, 77);
}

TEST_F(MsgSenderTest, ARepeatedRegistrationIsCalledTwiceAndUnregisteredOnceAtATime) {
  Hub.Register(A.Listener());
  Hub.Register(A.Listener());
  Hub.Send(&Sender, TMsgCode::OptionsChanged);
  Hub.Unregister(A.Listener());
  Hub.Send(&Sender, TMsgCode::OptionsChanged);
  Hub.Unregister(A.Listener());
  Hub.Unregister(A.Listener());  // no longer registered: ignored
  Hub.Send(&Sender, TMsgCode::OptionsChanged);
  EXPECT_EQ(Log, "a10 a10 a10 ");
}

TEST_F(MsgSenderTest, ChangesToTheListDuringDeliverySkipNobodyAndCallNobodyRemoved) {
  Hub.Register(A.Listener());
  Hub.Register(B.Listener());
  Hub.Register(C.Listener());
  TRecorder late{"late", Log};
  C.Action = [&] {
    Hub.Unregister(C.Listener());   // itself
    Hub.Register(late.Listener());  // waits for the next notification
  };
  B.Action = [&] { Hub.Unregister(A.Listener()); };  // one not called yet
  Hub.Send(&Sender, TMsgCode::SortChanged);
  EXPECT_EQ(Log, "c61 b61 ");
  Log.clear();
  C.Action = nullptr;
  B.Action = nullptr;
  Hub.Send(&Sender, TMsgCode::SortChanged);
  EXPECT_EQ(Log, "late61 b61 ");
  EXPECT_EQ(Hub.ListenerCount(), 2);
}

TEST_F(MsgSenderTest, ListenersMaySendAgainAndAreReachedAtOnce) {
  Hub.Register(A.Listener());
  Hub.Register(B.Listener());
  bool resent = false;
  B.Action = [&] {
    if (resent) return;
    resent = true;
    Hub.Send(&Sender, TMsgCode::EndUpdate);
  };
  Hub.Send(&Sender, TMsgCode::BeginUpdate);
  EXPECT_EQ(Log, "b67 b68 a68 a67 ");
}

TEST_F(MsgSenderTest, BlockedSendersAreDroppedUntilEveryBlockIsUndone) {
  Hub.Register(A.Listener());
  const int other = 0;
  Hub.Block(&Sender);
  Hub.Block(&Sender);
  Hub.Send(&Sender, TMsgCode::ColumnAdded);
  Hub.Send(&other, TMsgCode::ColumnAdded);
  Hub.Unblock(&Sender);
  Hub.Send(&Sender, TMsgCode::ColumnAdded);
  Hub.Unblock(&Sender);
  Hub.Unblock(&Sender);  // not blocked: ignored
  Hub.Send(&Sender, TMsgCode::ColumnsReloaded);
  EXPECT_EQ(Log, "a20 a27 ");
}

TEST_F(MsgSenderTest, AFailingListenerStopsTheDeliveryAndTheHubStaysUsable) {
  Hub.Register(A.Listener());
  Hub.Register(B.Listener());
  B.Action = [&] {
    Hub.Unregister(B.Listener());
    throw std::runtime_error("listener failed");
  };
  EXPECT_THROW(Hub.Send(&Sender, TMsgCode::CountChanged), std::runtime_error);
  EXPECT_EQ(Log, "b50 ");
  Hub.Send(&Sender, TMsgCode::CountChanged);
  EXPECT_EQ(Log, "b50 a50 ");
}

TEST(MsgSubscription, RegistersForTheLifetimeOfItsHolder) {
  std::string log;
  TRecorder recorder{"r", log};
  const int sender = 0;
  const int before = MsgSender().ListenerCount();
  {
    TMsgSubscription subscription(recorder.Listener());
    MsgSender().Send(&sender, TMsgCode::ModifiedChanged);
    TMsgBlock block(&sender);
    MsgSender().Send(&sender, TMsgCode::ModifiedChanged);
  }
  MsgSender().Send(&sender, TMsgCode::ModifiedChanged);
  EXPECT_EQ(log, "r71 ");
  EXPECT_EQ(MsgSender().ListenerCount(), before);
}

}  // namespace
}  // namespace mervanta
