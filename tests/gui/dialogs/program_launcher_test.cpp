#include "dialogs/program_launcher.h"

#include <gtest/gtest.h>

#include "dialogs/recording_launcher.h"
#include "test_support/error_text.h"
#include "test_support/scoped_environment.h"

namespace mervanta::test {
namespace {

struct TLaunchCase {
  const char* Visual;
  const char* Editor;
  bool OfficeInstalled;
  bool Fails;
  // Which stand-in runs on /t/a.csv.
  void (TProgramLauncher::*Command)(const std::string&) const;
  std::string Call;
  std::string Error;
};

TEST(ProgramLauncher, StandInsStartWhatIsThereAndNameWhatIsMissing) {
  const auto spreadsheet = &TProgramLauncher::OpenInSpreadsheet;
  const auto editor = &TProgramLauncher::OpenInTextEditor;
  const auto folder = &TProgramLauncher::OpenFolder;
  const std::vector<TLaunchCase> cases{
      {nullptr, nullptr, true, false, spreadsheet, "start /usr/bin/soffice --calc /t/a.csv", ""},
      {nullptr, nullptr, true, true, spreadsheet, "start /usr/bin/soffice --calc /t/a.csv",
       "LibreOffice Calc (/usr/bin/soffice) could not be started"},
      {nullptr, nullptr, false, false, spreadsheet, "open file:///t/a.csv", ""},
      {nullptr, nullptr, false, true, spreadsheet, "open file:///t/a.csv",
       "No spreadsheet program opens \"/t/a.csv\": LibreOffice Calc (soffice) is not installed "
       "and the desktop has no program for the file"},
      {"gvim -f", "nano", false, false, editor, "start gvim -f /t/a.csv", ""},
      {"", "kate", false, false, editor, "start kate /t/a.csv", ""},
      {nullptr, "kate", false, true, editor, "start kate /t/a.csv",
       "The text editor \"kate\" named by $EDITOR could not be started"},
      {nullptr, nullptr, false, false, editor, "open file:///t/a.csv", ""},
      {nullptr, nullptr, false, true, editor, "open file:///t/a.csv",
       "No text editor opens \"/t/a.csv\": set $VISUAL or $EDITOR, or give the desktop a "
       "program for the file"},
      {"gvim", nullptr, true, false, folder, "open file:///t/a.csv", ""},
      {nullptr, nullptr, false, true, folder, "open file:///t/a.csv",
       "The desktop has no file manager to open the folder \"/t/a.csv\""},
  };
  for (const TLaunchCase& test : cases) {
    const TScopedEnvironment visual("VISUAL", test.Visual);
    const TScopedEnvironment editorVariable("EDITOR", test.Editor);
    TRecordingLauncher recording;
    recording.Fails = test.Fails;
    if (test.OfficeInstalled) recording.Installed.append(QStringLiteral("soffice"));
    const TProgramLauncher launcher = recording.Make();
    const std::string error = ErrorOf([&] { (launcher.*test.Command)("/t/a.csv"); });
    EXPECT_EQ(recording.Calls, std::vector<std::string>{test.Call}) << test.Call;
    EXPECT_EQ(error, test.Error.empty() ? "no error" : test.Error) << test.Call;
  }
}

}  // namespace
}  // namespace mervanta::test
