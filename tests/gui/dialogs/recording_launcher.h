#pragma once

#include <string>
#include <vector>

#include "dialogs/program_launcher.h"

namespace mervanta::test {

// A launcher that starts nothing: it records what it would start or open, as "start PROGRAM
// ARGUMENTS..." and "open URL", finds only the programs it is told of, and fails when told.
struct TRecordingLauncher {
  std::vector<std::string> Calls;
  QStringList Installed;
  bool Fails = false;

  TProgramLauncher Make() {
    TProgramLauncher launcher;
    launcher.FindProgram = [this](const QString& name) {
      return Installed.contains(name) ? QStringLiteral("/usr/bin/") + name : QString();
    };
    launcher.StartDetached = [this](const QString& program, const QStringList& arguments) {
      Calls.push_back("start " + (QStringList(program) + arguments).join(' ').toStdString());
      return !Fails;
    };
    launcher.OpenUrl = [this](const QUrl& url) {
      Calls.push_back("open " + url.toString().toStdString());
      return !Fails;
    };
    return launcher;
  }
};

}  // namespace mervanta::test
