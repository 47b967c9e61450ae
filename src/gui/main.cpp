// The desktop program: the shared services, the main window, and the table it opens first.
#include <QApplication>
#include <QSessionManager>
#include <QTimer>
#include <string>
#include <vector>

#include "app/command_line.h"
#include "app/global.h"
#include "app/icon_theme.h"
#include "app/main_window.h"
#include "app/qt_user_interface.h"
#include "styles/program_style.h"
#include "support/file_names.h"
#include "support/user_interface.h"

int main(int argc, char** argv) {
  using namespace mervanta;
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Mervanta"));
  QApplication::setDesktopFileName(kApplicationId);
  UseIconTheme();
  QApplication::setWindowIcon(ApplicationIcon());
  QApplication::setStyle(new TProgramStyle);
  const std::vector<std::string> parameters(argv + 1, argv + argc);
  TGlobal global(ParseCommandLine(parameters, ProgramFolder()));
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
    QTimer::singleShot(1, &window, [&window] { window.StartUp(); });
    status = QApplication::exec();
  }
  if (!global.SaveSettings()) {
    UserInterface().ShowMessage(
        "The settings could not be saved to \"" + global.SettingsPath() + "\"", "", TButtons::Ok,
        TIcon::Error);
  }
  return status;
}
