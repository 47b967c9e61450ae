// The desktop program: the shared services, the main window, and the table it opens first.
#include <QApplication>
#include <QSessionManager>
#include <QTimer>
#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/global.h"
#include "app/icon_theme.h"
#include "app/main_window.h"
#include "app/qt_user_interface.h"
#include "model/protecter.h"
#include "styles/program_style.h"
#include "support/file_names.h"
#include "support/user_interface.h"
#include "table/table_preload.h"

namespace {

// A table named on the command line starts loading before the toolkit starts, since both take
// about as long; the window takes it over when it opens that table. It is only a head start:
// whatever goes wrong here, the window's own opening reports.
std::unique_ptr<mervanta::TTablePreload> PreloadNamedTable(const mervanta::TCommandLine& line) {
  using namespace mervanta;
  try {
    if (line.TableFile.empty() || TProtecter::IsProtected(line.TableFile)) return nullptr;
    return std::make_unique<TTablePreload>(line.TableFile, line.Read);
  } catch (const std::exception&) {
    return nullptr;
  }
}

}  // namespace

int main(int argc, char** argv) {
  using namespace mervanta;
  TCommandLine line =
      ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc), ProgramFolder());
  TProgramSettings settings = ReadProgramSettings(line);
  const std::unique_ptr<TTablePreload> preload = PreloadNamedTable(line);

  QApplication application(argc, argv);
  ForgetParametersTaken(line, std::vector<std::string>(argv + 1, argv + argc));
  QApplication::setApplicationName(QStringLiteral("Mervanta"));
  QApplication::setDesktopFileName(kApplicationId);
  UseIconTheme();
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setStyle(new TProgramStyle);
  TGlobal global(std::move(line), std::move(settings));
  TQtUserInterface userInterface;
  const TUserInterfaceInstallation installation(userInterface);
  for (const std::string& unknown : global.CommandLine().Unknown) {
    UserInterface().ShowMessage(UnknownParameterMessage(unknown), "", TButtons::Ok, TIcon::Error);
  }
  int status = 0;
  {
    TMainWindow window(global);
    // Logging out asks about unsaved changes like closing the window does.
    QObject::connect(&application, &QGuiApplication::commitDataRequest, &window,
                     [&window](QSessionManager& manager) {
                       if (manager.allowsInteraction() && !window.CloseTable()) manager.cancel();
                     });
    window.show();
    QTimer::singleShot(1, &window, [&window, &preload] { window.StartUp(preload.get()); });
    status = QApplication::exec();
  }
  if (!global.SaveSettings()) {
    UserInterface().ShowMessage(
        "The settings could not be saved to \"" + global.SettingsPath() + "\"", "", TButtons::Ok,
        TIcon::Error);
  }
  return status;
}
