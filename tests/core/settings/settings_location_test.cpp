#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "settings/settings_location.h"
#include "support/file_io.h"
#include "support/xml_file.h"
#include "test_support/child_process.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

TEST(SettingsLocation, BesideAWritableProgram) {
  test::TTempDir program;
  const std::string folder = program.Path() + "/";
  EXPECT_EQ(SettingsFilePath(folder), folder + "Mervanta.xml");
  EXPECT_EQ(DefaultWorkDir(folder), folder);
}

TEST(SettingsLocation, AnInstalledProgramUsesTheConfigurationFolderEvenWhenItMayWrite) {
  test::TTempDir prefix;
  std::filesystem::create_directory(prefix.File("bin"));
  const std::string folder = prefix.File("bin") + "/";
  test::TScopedEnvironment configHome("XDG_CONFIG_HOME", "/cfg");
  EXPECT_EQ(SettingsFilePath(folder), folder + "Mervanta.xml");
  std::filesystem::create_directories(prefix.File("share/doc/mervanta/help"));
  prefix.Write("share/doc/mervanta/help/index.html", "<html></html>");
  EXPECT_EQ(SettingsFilePath(folder), "/cfg/mervanta/Mervanta.xml");
  EXPECT_EQ(DefaultWorkDir(folder), "/cfg/mervanta/");
}

TEST(SettingsLocation, InTheConfigurationFolderOtherwise) {
  const std::string program = "/nonexistent/mervanta/bin/";
  struct TCase {
    const char* ConfigHome;  // nullptr: unset
    const char* Expected;
  } cases[] = {{"/cfg", "/cfg/mervanta/"},
               {"/cfg/", "/cfg/mervanta/"},
               {nullptr, "/home/someone/.config/mervanta/"},
               {"", "/home/someone/.config/mervanta/"},
               {"relative/cfg", "/home/someone/.config/mervanta/"}};
  test::TScopedEnvironment home("HOME", "/home/someone");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.ConfigHome == nullptr ? "(unset)" : c.ConfigHome);
    test::TScopedEnvironment configHome("XDG_CONFIG_HOME", c.ConfigHome);
    EXPECT_EQ(SettingsFilePath(program), std::string(c.Expected) + "Mervanta.xml");
    EXPECT_EQ(DefaultWorkDir(program), c.Expected);
  }
}

TEST(SettingsDocument, SavingCreatesTheMissingFolders) {
  test::TTempDir home;
  const std::string path = home.Path() + "/config/mervanta/Mervanta.xml";
  TXmlFile document;
  LoadSettingsDocument(document, path);
  document.Root()->Child("Session")->WriteString("A", "1");
  ASSERT_TRUE(SaveSettingsDocument(document, path));
  EXPECT_EQ(ReadWholeFile(path), "<Mervanta>\r\n\t<Session A=\"1\" />\r\n</Mervanta>\r\n");
  struct stat info {};
  ASSERT_EQ(::stat((home.Path() + "/config/mervanta").c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST(SettingsDocument, AFailedSaveReportsFalse) {
  test::TTempDir home;
  const std::string file = home.Write("plain.txt", "keep");
  ASSERT_EQ(::mkdir(home.File("Mervanta.xml").c_str(), 0700), 0);  // a folder where the file goes
  TXmlFile document;
  document.Root()->Name = "Mervanta";
  for (const std::string& path : {file + "/Mervanta.xml", home.File("Mervanta.xml")}) {
    SCOPED_TRACE(path);
    EXPECT_FALSE(SaveSettingsDocument(document, path));
  }
  EXPECT_EQ(ReadWholeFile(file), "keep");
}

TEST(SettingsDocument, AFolderInPlaceOfTheFileLoadsEmpty) {
  test::TTempDir home;
  TXmlFile document;
  document.LoadFromString("<Old><Options /></Old>");
  LoadSettingsDocument(document, home.Path());
  EXPECT_EQ(document.Root()->Name, "Mervanta");
  EXPECT_FALSE(document.Root()->HasChildren());
}

TEST(SettingsDocument, AFifoInPlaceOfTheFileIsNeitherWaitedOnNorReplaced) {
  test::TTempDir home;
  const std::string path = home.File("Mervanta.xml");
  ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
  EXPECT_EQ(test::RunInChild(
                [&path] {
                  TXmlFile document;
                  LoadSettingsDocument(document, path);
                  if (document.Root()->HasChildren()) return 1;
                  document.Root()->Child("Session")->WriteString("A", "1");
                  return SaveSettingsDocument(document, path) ? 2 : 0;
                },
                std::chrono::seconds(10)),
            0);
  EXPECT_TRUE(std::filesystem::is_fifo(path));
}

}  // namespace
}  // namespace mervanta
