#include "dialogs/program_launcher.h"

#include <QDesktopServices>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <cstdlib>

#include "support/errors.h"

namespace mervanta {

namespace {

QUrl LocalUrl(const std::string& path) {
  return QUrl::fromLocalFile(QFile::decodeName(path.c_str()));
}

std::string Quoted(const std::string& path) {
  return "\"" + path + "\"";
}

}  // namespace

TProgramLauncher::TProgramLauncher()
    : FindProgram([](const QString& name) { return QStandardPaths::findExecutable(name); }),
      StartDetached([](const QString& program, const QStringList& arguments) {
        return QProcess::startDetached(program, arguments);
      }),
      OpenUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {}

void TProgramLauncher::OpenInSpreadsheet(const std::string& fileName) const {
  const QString office = FindProgram(QStringLiteral("soffice"));
  if (!office.isEmpty()) {
    if (!StartDetached(office, {QStringLiteral("--calc"), QFile::decodeName(fileName.c_str())})) {
      throw EMervantaError("LibreOffice Calc (" + office.toStdString() + ") could not be started");
    }
    return;
  }
  if (!OpenUrl(LocalUrl(fileName))) {
    throw EMervantaError("No spreadsheet program opens " + Quoted(fileName) +
                         ": LibreOffice Calc (soffice) is not installed and the desktop has no "
                         "program for the file");
  }
}

void TProgramLauncher::OpenInTextEditor(const std::string& fileName) const {
  for (const char* variable : {"VISUAL", "EDITOR"}) {
    const char* value = std::getenv(variable);
    if (value == nullptr) continue;
    QStringList command = QProcess::splitCommand(QString::fromLocal8Bit(value));
    if (command.isEmpty()) continue;
    const QString program = command.takeFirst();
    command.append(QFile::decodeName(fileName.c_str()));
    if (!StartDetached(program, command)) {
      throw EMervantaError("The text editor \"" + program.toStdString() + "\" named by $" +
                           variable + " could not be started");
    }
    return;
  }
  if (!OpenUrl(LocalUrl(fileName))) {
    throw EMervantaError("No text editor opens " + Quoted(fileName) +
                         ": set $VISUAL or $EDITOR, or give the desktop a program for the file");
  }
}

void TProgramLauncher::OpenFolder(const std::string& folder) const {
  if (!OpenUrl(LocalUrl(folder))) {
    throw EMervantaError("The desktop has no file manager to open the folder " + Quoted(folder));
  }
}

}  // namespace mervanta
