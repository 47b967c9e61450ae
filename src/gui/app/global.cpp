#include "app/global.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/help_location.h"
#include "settings/settings_location.h"

namespace mervanta {

TGlobal::TGlobal(TCommandLine commandLine)
    : CommandLine_(std::move(commandLine)),
      SettingsPath_(CommandLine_.OptionsFile.empty() ? SettingsFilePath()
                                                     : CommandLine_.OptionsFile),
      PreviousServices_(InstallDesktopServices(this)) {
  LoadSettingsDocument(Settings_, SettingsPath_);
}

TGlobal::~TGlobal() {
  InstallDesktopServices(PreviousServices_);
}

bool TGlobal::SaveSettings() const {
  return SaveSettingsDocument(Settings_, SettingsPath_);
}

QString TGlobal::Title() const {
  return QString::fromStdString(CommandLine_.Title);
}

std::string TGlobal::HelpBase() {
  return ChooseHelpBase(MERVANTA_HELP_BASE, QCoreApplication::applicationDirPath().toStdString(),
                        MERVANTA_SOURCE_HELP);
}

void TGlobal::OpenHelp(const std::string& topic) {
  // Without a topic the folder itself would open, as a file listing in most browsers.
  const std::string address = HelpBase() + (topic.empty() ? "index" : topic) + ".html";
  QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

TXmlTag& TGlobal::SessionElement(const std::string& windowName) {
  return *Settings_.Root()->Child("Session")->Child(windowName);
}

}  // namespace mervanta
