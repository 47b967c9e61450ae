#include "app/global.h"

#include <gtest/gtest.h>

#include <fstream>

#include "test_support/temp_dir.h"
#include "views/desktop_services.h"
#include "views/url_catcher.h"

namespace mervanta {
namespace {

TEST(Global, ReadsTheSettingsOnceAndWritesThemBackWhole) {
  const test::TTempDir folder;
  const std::string path = folder.Write(
      "settings.xml", "<Mervanta><Session><MainForm FileName=\"/t/a.csv\"/></Session></Mervanta>");
  {
    TGlobal global({.Title = "Home", .OptionsFile = path});
    EXPECT_EQ(&DesktopServices(), &global);
    EXPECT_EQ(DesktopServices().Title(), "Home");
    TXmlTag& main = DesktopServices().SessionElement("MainForm");
    EXPECT_EQ(main.ReadString("FileName"), "/t/a.csv");
    DesktopServices().SessionElement("CardForm").WriteInteger("Left", 7);
    EXPECT_TRUE(global.SaveSettings());
  }
  EXPECT_NE(&DesktopServices(), nullptr);
  TGlobal again({.OptionsFile = path});
  EXPECT_EQ(again.SessionElement("CardForm").ReadInteger("Left", 0), 7);
}

TEST(Global, AnUnreadableSettingsFileLeavesTheDefaultsAndAFailedWriteIsToldToTheCaller) {
  const test::TTempDir folder;
  const std::string garbage = folder.Write("settings.xml", "\x01\x02 not xml <<<");
  TGlobal global({.OptionsFile = garbage});
  EXPECT_EQ(global.SessionElement("MainForm").ReadString("FileName"), "");
  TGlobal nowhere({.OptionsFile = folder.File("settings.xml/inside.xml")});
  EXPECT_FALSE(nowhere.SaveSettings());
}

TEST(Global, HelpOpensTheTopicsPageUnderTheBaseAndTheIndexWithoutATopic) {
  const std::string base = TGlobal::HelpBase();
  EXPECT_TRUE(base.ends_with("/"));
  EXPECT_TRUE(base.starts_with("file://"));
  const TGlobal hidden({.Help = false});
  EXPECT_FALSE(hidden.HelpOffered());

  TGlobal global({.Help = true});
  test::TUrlCatcher catcher;
  global.OpenHelp("export");
  global.OpenHelp("");
  ASSERT_EQ(catcher.Opened.size(), 2u);
  EXPECT_EQ(catcher.Opened[0].toString().toStdString(), base + "export.html");
  EXPECT_EQ(catcher.Opened[1].toString().toStdString(), base + "index.html");
}

}  // namespace
}  // namespace mervanta
