#include "table/table_preload.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <utility>

#include "support/file_names.h"
#include "support/locale.h"
#include "support/progress.h"
#include "support/user_interface.h"
#include "table/table.h"

namespace mervanta {

namespace {

// How often the waiting thread looks at the opening's progress.
constexpr std::chrono::milliseconds kLookInterval{15};

struct TProgressView {
  bool Shown = false;
  int Maximum = 0;
  int Position = 0;
  std::string Text;
};

}  // namespace

// The opening thread's front end: it keeps the progress for the waiting thread to show, and
// stops the opening at the first message, which the user's own opening will give.
class TTablePreload::TFrontEnd final : public TUserInterface {
 public:
  TCursor Cursor() const override { return Cursor_; }
  void SetCursor(TCursor cursor) override { Cursor_ = cursor; }

  void ShowProgress(int maximum) override {
    const std::lock_guard lock(Mutex_);
    View_ = {.Shown = true, .Maximum = maximum};
  }
  void SetProgressText(const std::string& text) override {
    const std::lock_guard lock(Mutex_);
    View_.Text = text;
  }
  void SetProgressPosition(int position) override {
    const std::lock_guard lock(Mutex_);
    View_.Position = position;
  }
  void CloseProgress() override {
    const std::lock_guard lock(Mutex_);
    View_.Shown = false;
  }
  bool CancelRequested() override { return Stop_; }

  TAnswer ShowMessage(const std::string&, const std::string&, TButtons buttons, TIcon) override {
    NeededUser_ = true;
    Stop_ = true;
    return buttons == TButtons::Ok ? TAnswer::Ok : TAnswer::Cancel;
  }
  void Beep() override {}

  TProgressView View() const {
    const std::lock_guard lock(Mutex_);
    return View_;
  }
  void Stop() { Stop_ = true; }
  bool NeededUser() const { return NeededUser_; }

 private:
  TCursor Cursor_ = TCursor::Default;
  mutable std::mutex Mutex_;
  TProgressView View_;
  std::atomic<bool> Stop_{false};
  std::atomic<bool> NeededUser_{false};
};

TTablePreload::TTablePreload(std::string fileName, bool readOnly)
    : FileName_(std::move(fileName)),
      ReadOnly_(readOnly),
      FrontEnd_(std::make_unique<TFrontEnd>()) {
  // The locale is detected on first use; here, before the two threads could both use it first.
  TLocale::Current();
  Done_ = std::async(std::launch::async, [this] { Run(); });
}

TTablePreload::~TTablePreload() {
  FrontEnd_->Stop();
  Done_.wait();
}

void TTablePreload::Run() {
  const TThreadUserInterface frontEnd(*FrontEnd_);
  TThreadMsgSender hub;
  try {
    auto table = std::make_unique<TTable>();
    table->Open(FileName_, "", ReadOnly_);
    Listeners_ = hub.Hub().Listeners();
    Table_ = std::move(table);
  } catch (...) {
    Error_ = std::current_exception();
  }
}

std::unique_ptr<TTable> TTablePreload::Take() {
  if (std::exchange(Taken_, true)) return nullptr;
  WaitShowingProgress();
  if (FrontEnd_->NeededUser()) {
    // Let go first: the user's own opening must find the file unlocked.
    Table_.reset();
    return nullptr;
  }
  if (Error_) std::rethrow_exception(Error_);
  for (const TMsgListener& listener : Listeners_) MsgSender().Register(listener);
  ChangeToFolderOf(Table_->FileName());
  return std::move(Table_);
}

void TTablePreload::WaitShowingProgress() {
  const TBusyScope busy;
  TUserInterface& ui = UserInterface();
  bool shown = false;
  TProgressView last;
  while (Done_.wait_for(kLookInterval) != std::future_status::ready) {
    const TProgressView view = FrontEnd_->View();
    if (!view.Shown) continue;
    if (!shown) {
      ui.ShowProgress(view.Maximum);
      shown = true;
    }
    if (view.Text != last.Text) ui.SetProgressText(view.Text);
    if (view.Position != last.Position) ui.SetProgressPosition(view.Position);
    last = view;
  }
  if (shown) ui.CloseProgress();
}

}  // namespace mervanta
