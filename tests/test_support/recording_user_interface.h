#pragma once

#include <deque>
#include <string>
#include <vector>

#include "support/user_interface.h"

namespace mervanta::test {

// Stands in for the front end while it lives: records what would be shown as lines of text
// and answers questions from a queue (Ok or Yes when the queue is empty). With CancelAfter set,
// it asks to cancel from that many questions on.
class TRecordingUserInterface final : public TUserInterface {
 public:
  TRecordingUserInterface() = default;
  TRecordingUserInterface(const TRecordingUserInterface&) = delete;
  TRecordingUserInterface& operator=(const TRecordingUserInterface&) = delete;

  std::vector<std::string> Events;
  // The icon of each message, in order.
  std::vector<TIcon> Icons;
  std::deque<TAnswer> Answers;
  int CancelAfter = -1;
  int CancelQuestions = 0;

  TCursor Cursor() const override { return Cursor_; }
  void SetCursor(TCursor cursor) override {
    Cursor_ = cursor;
    Events.push_back(cursor == TCursor::Hourglass ? "cursor busy" : "cursor default");
  }
  void ShowProgress(int maximum) override { Events.push_back("show " + std::to_string(maximum)); }
  void SetProgressText(const std::string& text) override { Events.push_back("text " + text); }
  void SetProgressPosition(int position) override {
    Events.push_back("position " + std::to_string(position));
  }
  void CloseProgress() override { Events.push_back("close"); }
  TAnswer ShowMessage(const std::string& text, const std::string& caption, TButtons buttons,
                      TIcon icon) override {
    Events.push_back("message " + caption + ": " + text);
    Icons.push_back(icon);
    if (!Answers.empty()) {
      TAnswer answer = Answers.front();
      Answers.pop_front();
      return answer;
    }
    return buttons == TButtons::Ok || buttons == TButtons::OkCancel ? TAnswer::Ok : TAnswer::Yes;
  }
  void Beep() override { Events.push_back("beep"); }
  bool CancelRequested() override { return CancelAfter >= 0 && CancelQuestions++ >= CancelAfter; }

  // The messages shown, as "caption: text".
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const std::string& event : Events) {
      if (event.starts_with("message ")) messages.push_back(event.substr(8));
    }
    return messages;
  }

 private:
  TCursor Cursor_ = TCursor::Default;
  TUserInterfaceInstallation Installation_{*this};
};

}  // namespace mervanta::test
