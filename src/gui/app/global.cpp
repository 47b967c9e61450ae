#include "app/global.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QUrl>

#include "app/help_location.h"
#include "settings/options.h"
#include "settings/settings_location.h"

namespace mervanta {

TProgramSettings ReadProgramSettings(const TCommandLine& commandLine) {
  TProgramSettings settings{.Path = commandLine.OptionsFile.empty() ? SettingsFilePath()
                                                                    : commandLine.OptionsFile};
  LoadSettingsDocument(settings.Document, settings.Path);
  LoadOptions(settings.Document);
  return settings;
}

TGlobal::TGlobal(TCommandLine commandLine, TProgramSettings settings)
    : CommandLine_(std::move(commandLine)),
      SettingsPath_(std::move(settings.Path)),
      Settings_(std::move(settings.Document)),
      PreviousServices_(InstallDesktopServices(this)) {}

TGlobal::TGlobal(TCommandLine commandLine)
    : TGlobal(commandLine, ReadProgramSettings(commandLine)) {}

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
