#include "views/desktop_services.h"

#include <memory>

#include "support/xml_tag.h"
#include "views/picture_cache.h"

namespace mervanta {

namespace {

class TPlainServices final : public TDesktopServices {
 public:
  QString Title() const override { return QStringLiteral("Mervanta"); }
  bool HelpOffered() const override { return false; }
  void OpenHelp(const std::string&) override {}
  TXmlTag& SettingsRoot() override { return Root_; }
  TXmlTag& SessionElement(const std::string& windowName) override {
    return *Root_.Child("Session")->Child(windowName);
  }
  TPictureCache& Pictures() override { return Pictures_; }

 private:
  TXmlTag Root_{"Mervanta"};
  TPictureCache Pictures_;
};

TDesktopServices* Installed = nullptr;

}  // namespace

TDesktopServices& DesktopServices() {
  static TPlainServices plain;
  return Installed != nullptr ? *Installed : plain;
}

TDesktopServices* InstallDesktopServices(TDesktopServices* services) {
  TDesktopServices* previous = Installed;
  Installed = services;
  return previous;
}

}  // namespace mervanta
