#pragma once

#include <memory>
#include <string>

#include "app/command_line.h"
#include "support/xml_file.h"
#include "views/desktop_services.h"
#include "views/picture_cache.h"

namespace mervanta {

// The services every window of the program shares, for the whole run: the command line, the
// settings document (read once at start, written once at exit), the pictures of Picture
// columns and the help pages. Installed as the views' services while it lives.
// The settings document and where it lives.
struct TProgramSettings {
  std::string Path;
  TXmlFile Document;
};

// Reads the settings document from the command line's file, or where the settings live by
// default, and takes the options from it; a file that cannot be read leaves the default
// options. Needs no toolkit, so that the options hold before a table starts loading.
TProgramSettings ReadProgramSettings(const TCommandLine& commandLine);

class TGlobal final : public TDesktopServices {
 public:
  TGlobal(TCommandLine commandLine, TProgramSettings settings);
  // Reads the settings itself.
  explicit TGlobal(TCommandLine commandLine);
  ~TGlobal() override;
  TGlobal(const TGlobal&) = delete;
  TGlobal& operator=(const TGlobal&) = delete;

  const TCommandLine& CommandLine() const { return CommandLine_; }
  TXmlFile& Settings() { return Settings_; }
  const std::string& SettingsPath() const { return SettingsPath_; }
  // Writes the settings document atomically; false when it could not be written.
  bool SaveSettings() const;

  QString Title() const override;
  bool HelpOffered() const override { return CommandLine_.Help; }
  void OpenHelp(const std::string& topic) override;
  TXmlTag& SettingsRoot() override { return *Settings_.Root(); }
  TXmlTag& SessionElement(const std::string& windowName) override;
  TPictureCache& Pictures() override { return Pictures_; }

  // Where the help pages are, as a "file:" URL ending in "/" (see ChooseHelpBase).
  static std::string HelpBase();

 private:
  TCommandLine CommandLine_;
  std::string SettingsPath_;
  TXmlFile Settings_;
  TPictureCache Pictures_;
  TDesktopServices* PreviousServices_;
};

}  // namespace mervanta
