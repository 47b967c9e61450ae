#pragma once

#include <string>
#include <vector>

#include "support/xml_tag.h"
#include "views/desktop_services.h"
#include "views/picture_cache.h"

namespace mervanta::test {

// The program's shared services while it lives: help offered unless told otherwise, the
// topics asked for recorded, a settings document of its own.
class TFakeDesktopServices final : public TDesktopServices {
 public:
  TFakeDesktopServices() : Previous_(InstallDesktopServices(this)) {}
  ~TFakeDesktopServices() override { InstallDesktopServices(Previous_); }
  TFakeDesktopServices(const TFakeDesktopServices&) = delete;
  TFakeDesktopServices& operator=(const TFakeDesktopServices&) = delete;

  bool Help = true;
  std::vector<std::string> HelpTopics;
  TXmlTag Root{"Mervanta"};

  QString Title() const override { return QStringLiteral("Mervanta"); }
  bool HelpOffered() const override { return Help; }
  void OpenHelp(const std::string& topic) override { HelpTopics.push_back(topic); }
  TXmlTag& SettingsRoot() override { return Root; }
  TXmlTag& SessionElement(const std::string& windowName) override {
    return *Root.Child("Session")->Child(windowName);
  }
  TPictureCache& Pictures() override { return Pictures_; }

 private:
  TPictureCache Pictures_;
  TDesktopServices* Previous_;
};

}  // namespace mervanta::test
