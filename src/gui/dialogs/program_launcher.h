#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <string>

namespace mervanta {

// How a table's files are opened in other programs: a spreadsheet, a text editor, the file
// manager. What touches the system is three small steps that tests replace; every stand-in
// that cannot start raises an error naming what is missing.
class TProgramLauncher {
 public:
  // The system's: a program found on PATH, started detached, and the desktop's handlers.
  TProgramLauncher();

  // The program's full path when it is on PATH, else empty.
  std::function<QString(const QString& name)> FindProgram;
  std::function<bool(const QString& program, const QStringList& arguments)> StartDetached;
  std::function<bool(const QUrl& url)> OpenUrl;

  // LibreOffice Calc when it is installed, else the desktop's handler of the file.
  void OpenInSpreadsheet(const std::string& fileName) const;
  // $VISUAL, else $EDITOR (a command with its own arguments), else the desktop's handler.
  void OpenInTextEditor(const std::string& fileName) const;
  void OpenFolder(const std::string& folder) const;
};

}  // namespace mervanta
