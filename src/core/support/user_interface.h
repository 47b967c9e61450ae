#pragma once

#include <string>

namespace mervanta {

enum class TCursor { Default, Hourglass };
enum class TButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class TIcon { None, Information, Warning, Error, Question };
enum class TAnswer { Ok, Cancel, Yes, No };

// What the core needs from whoever talks to the user. The desktop program implements it with
// windows, the command-line tool with terminal text, tests with a recording fake.
class TUserInterface {
 public:
  virtual ~TUserInterface() = default;

  virtual TCursor Cursor() const = 0;
  virtual void SetCursor(TCursor cursor) = 0;

  // The small "Executing" window of a long operation: shown once with the bar's maximum,
  // then updated, then closed.
  virtual void ShowProgress(int maximum) = 0;
  virtual void SetProgressText(const std::string& text) = 0;
  virtual void SetProgressPosition(int position) = 0;
  virtual void CloseProgress() = 0;

  // Asked at every step of a long loop (see TProgress); true stops the loop with
  // EOperationAborted. The front end may process its pending events here, to repaint and to
  // notice its Cancel button, but it must let no command start while TProgress::IsRunning():
  // the loop's lists are in the middle of a change.
  virtual bool CancelRequested() { return false; }

  virtual TAnswer ShowMessage(const std::string& text, const std::string& caption, TButtons buttons,
                              TIcon icon) = 0;
  virtual void Beep() = 0;
};

// The calling thread's own front end (see TThreadUserInterface), else the installed one, or a
// silent one that answers every question with its last button (Cancel or No) when none is
// installed.
TUserInterface& UserInterface();
// Installs a front end, nullptr the silent one; answers the one installed before.
TUserInterface* InstallUserInterface(TUserInterface* userInterface);

// Installs a front end for its own lifetime, then puts back the one installed before, so
// that front ends nest: a program installs one at start, a test its fake over it.
class TUserInterfaceInstallation {
 public:
  explicit TUserInterfaceInstallation(TUserInterface& userInterface)
      : Previous_(InstallUserInterface(&userInterface)) {}
  ~TUserInterfaceInstallation() { InstallUserInterface(Previous_); }
  TUserInterfaceInstallation(const TUserInterfaceInstallation&) = delete;
  TUserInterfaceInstallation& operator=(const TUserInterfaceInstallation&) = delete;

 private:
  TUserInterface* Previous_;
};

// Installs a front end for the calling thread only, for its own lifetime: work done away from
// the user's thread talks through it and never reaches the windows of the user's thread.
class TThreadUserInterface {
 public:
  explicit TThreadUserInterface(TUserInterface& userInterface);
  ~TThreadUserInterface();
  TThreadUserInterface(const TThreadUserInterface&) = delete;
  TThreadUserInterface& operator=(const TThreadUserInterface&) = delete;

 private:
  TUserInterface* Previous_;
};

// The application title used as the caption of messages without one.
const std::string& ApplicationTitle();
void SetApplicationTitle(std::string title);

// A message ending in a letter, digit or colon gets a final full stop; one ending in "?",
// ".", "!", ")" or a quote does not.
std::string CompleteMessageText(std::string text);

// Shows a message through the installed front end with the rules above; an empty caption
// becomes the application title.
TAnswer ShowMessageBox(const std::string& text, const std::string& caption = {},
                       TButtons buttons = TButtons::Ok, TIcon icon = TIcon::Information);

}  // namespace mervanta
