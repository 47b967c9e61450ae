#include "table/table_preload.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "support/errors.h"
#include "support/locked_file.h"
#include "support/msg_sender.h"
#include "support/user_interface.h"
#include "table/table.h"
#include "table_fixture.h"
#include "test_support/file_faults.h"
#include "test_support/recording_user_interface.h"
#include "test_support/scoped_progress.h"

namespace mervanta::test {
namespace {

using namespace std::string_literals;

std::string Cell(const TTable& table, int record, int field) {
  return std::string(table.Sources().All.Items()[record]->Fields().Field(field));
}

bool Free(const std::string& path) {
  TLockedFile probe;
  return probe.Acquire(path) == TLockedFile::TStatus::Held;
}

TEST(TablePreload, TheTableOpenedAwayIsHandedOverAndThenHeardOnTheTakersThread) {
  TTableFolder folder;
  const std::string path = folder.Write("plants.csv", "rose;red\r\ntulip;yellow\r\n");
  TRecordingUserInterface ui;
  const int listenersBefore = MsgSender().ListenerCount();
  std::unique_ptr<TTable> table;
  {
    TTablePreload preload(path, false);
    table = preload.Take();
    EXPECT_EQ(preload.Take(), nullptr) << "taken once";
  }
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->FileName(), path);
  EXPECT_FALSE(table->ReadOnly());
  EXPECT_FALSE(table->Modified());
  ASSERT_EQ(table->Sources().All.Count(), 2);
  EXPECT_EQ(Cell(*table, 1, 1), "yellow");
  EXPECT_EQ(std::filesystem::current_path().string(), folder.Path());
  EXPECT_TRUE(ui.Messages().empty());

  // The table's own listeners now hear this thread's notices, and others hear the table.
  int heard = 0;
  struct TCounter {
    const TRecords* All;
    int* Heard;
    void OnMessage(const TMsg& msg) {
      if (msg.Sender == All && msg.Code == TMsgCode::CountChanged) ++*Heard;
    }
  } counter{&table->Sources().All, &heard};
  {
    const TMsgSubscription subscription(BindListener<&TCounter::OnMessage>(&counter));
    AddRecord(*table, {"lily", "white"});
  }
  EXPECT_EQ(heard, 1);
  EXPECT_TRUE(table->Modified());
  table.reset();
  EXPECT_EQ(MsgSender().ListenerCount(), listenersBefore);
}

TEST(TablePreload, AFailureIsThrownByTheTakerAndWhatNeedsTheUserIsLeftToTheTaker) {
  TTableFolder folder;
  const std::string missing = folder.File("gone.csv");
  std::string expected;
  try {
    TTable().Open(missing, "", false);
  } catch (const EMervantaError& error) {
    expected = error.what();
  }
  ASSERT_FALSE(expected.empty());
  TRecordingUserInterface ui;
  try {
    TTablePreload(missing, false).Take();
    ADD_FAILURE() << "no failure";
  } catch (const EMervantaError& error) {
    EXPECT_EQ(error.what(), expected);
  }

  // The question about UTF-16 text is the user's to answer, in the taker's own opening, which
  // must find the file free.
  const std::string unicode = folder.Write("wide.csv",
                                           "\xFF\xFE"
                                           "a\0;\0b\0\r\0\n\0"s);
  EXPECT_EQ(TTablePreload(unicode, false).Take(), nullptr);
  EXPECT_TRUE(ui.Messages().empty());
  EXPECT_TRUE(Free(unicode));
}

TEST(TablePreload, APreloadNobodyTakesLetsTheFileGo) {
  TTableFolder folder;
  const std::string path = folder.Write("plants.csv", "rose;red\r\n");
  const int listenersBefore = MsgSender().ListenerCount();
  { const TTablePreload preload(path, false); }
  EXPECT_EQ(MsgSender().ListenerCount(), listenersBefore);
  EXPECT_TRUE(Free(path));
}

// Records on which thread the front end is called, and lets the held back reading go on once
// the progress window is shown.
class TWaitingUserInterface final : public TUserInterface {
 public:
  std::vector<std::string> Events;
  std::atomic<bool> Shown{false};
  bool OtherThread = false;

  TCursor Cursor() const override { return Cursor_; }
  void SetCursor(TCursor cursor) override {
    Note(cursor == TCursor::Hourglass ? "busy" : "default");
    Cursor_ = cursor;
  }
  void ShowProgress(int) override {
    Note("show");
    Shown = true;
  }
  void SetProgressText(const std::string&) override { Note("text"); }
  void SetProgressPosition(int) override { Note("position"); }
  void CloseProgress() override { Note("close"); }
  TAnswer ShowMessage(const std::string&, const std::string&, TButtons, TIcon) override {
    Note("message");
    return TAnswer::Ok;
  }
  void Beep() override {}

 private:
  void Note(const std::string& event) {
    OtherThread = OtherThread || std::this_thread::get_id() != Thread_;
    if (Events.empty() || Events.back() != event) Events.push_back(event);
  }

  std::thread::id Thread_ = std::this_thread::get_id();
  TCursor Cursor_ = TCursor::Default;
  TUserInterfaceInstallation Installation_{*this};
};

// Every reading after the first few waits for the progress window, so that the opening is
// still running when the taker looks.
class THeldReading : public TFileCallObserver {
 public:
  explicit THeldReading(const std::atomic<bool>& release) : Release_(release) {}
  ~THeldReading() override { SetFileCallObserver(Previous_); }
  THeldReading(const THeldReading&) = delete;
  THeldReading& operator=(const THeldReading&) = delete;

  int Called(TFileCall call) override {
    if (call != TFileCall::Read || ++Reads_ <= 3) return 0;
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!Release_ && std::chrono::steady_clock::now() < giveUp) {
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return 0;
  }

 private:
  const std::atomic<bool>& Release_;
  std::atomic<int> Reads_{0};
  TFileCallObserver* Previous_ = SetFileCallObserver(this);
};

std::atomic<std::uint32_t> Ticks{0};

TEST(TablePreload, ALongOpeningShowsItsProgressThroughTheTakersFrontEnd) {
  TTableFolder folder;
  std::string text;
  while (text.size() < 5'000'000) {
    text += "name ";
    text += std::to_string(text.size());
    text += ";x\r\n";
  }
  const std::string path = folder.Write("long.csv", text);
  // Every look at the clock is a second later, so the window is due at once.
  const TScopedProgress clock([] { return Ticks += 1000; });
  TProgress::SetWindowEnabled(true);
  TWaitingUserInterface ui;
  const THeldReading held(ui.Shown);
  TTablePreload preload(path, false);
  const std::unique_ptr<TTable> table = preload.Take();
  ASSERT_NE(table, nullptr);
  EXPECT_GT(table->Sources().All.Count(), 100'000);
  EXPECT_FALSE(ui.OtherThread) << "the opening thread never reaches the user's front end";
  ASSERT_GE(ui.Events.size(), 4u);
  EXPECT_EQ(ui.Events.front(), "busy");
  EXPECT_EQ(ui.Events[1], "show");
  EXPECT_EQ(ui.Events[ui.Events.size() - 2], "close");
  EXPECT_EQ(ui.Events.back(), "default");
}

}  // namespace
}  // namespace mervanta::test
