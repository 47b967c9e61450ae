#pragma once

#include <QString>
#include <string>

class QWidget;

namespace mervanta {

class TPictureCache;
class TXmlTag;

// What the views and dialogs need of the program's shared services, which the application
// owns and installs at start-up; views never reach the application itself. Without an
// installation (tests, tools) a plain set serves: no help offered, placements kept in
// memory, a picture cache of its own.
class TDesktopServices {
 public:
  virtual ~TDesktopServices() = default;

  // The application's title, for message boxes without a caption of their own.
  virtual QString Title() const = 0;
  // Whether dialogs show their help button (the command line can hide help).
  virtual bool HelpOffered() const = 0;
  // Opens the help page of a topic; the empty topic opens the contents.
  virtual void OpenHelp(const std::string& topic) = 0;
  // The root of the settings document, which parts of the core read and write directly.
  virtual TXmlTag& SettingsRoot() = 0;
  // The element of the settings document where a window keeps its placement and view state,
  // made when missing.
  virtual TXmlTag& SessionElement(const std::string& windowName) = 0;
  virtual TPictureCache& Pictures() = 0;
};

TDesktopServices& DesktopServices();
// Installs the services, nullptr the plain set; answers the ones installed before.
TDesktopServices* InstallDesktopServices(TDesktopServices* services);

}  // namespace mervanta
