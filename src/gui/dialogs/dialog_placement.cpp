#include "dialogs/dialog_placement.h"

#include <QScreen>
#include <QWidget>

#include "support/xml_helpers.h"
#include "views/desktop_services.h"

namespace mervanta {

namespace {

// Dialogs are resized but never maximised.
TWindowPlacement PlacementOf(const QWidget& dialog) {
  return {.Maximizable = false,
          .Left = dialog.x(),
          .Top = dialog.y(),
          .Width = dialog.width(),
          .Height = dialog.height()};
}

}  // namespace

void RestorePlacement(QWidget& dialog, const std::string& windowName) {
  TWindowPlacement placement = PlacementOf(dialog);
  const QRect screen = dialog.screen()->availableGeometry();
  ReadPlacement(DesktopServices().SessionElement(windowName), placement, screen.width(),
                screen.height());
  if (placement.AutoPosition) return;
  dialog.resize(placement.Width, placement.Height);
  dialog.move(placement.Left, placement.Top);
}

void StorePlacement(const QWidget& dialog, const std::string& windowName) {
  WritePlacement(DesktopServices().SessionElement(windowName), PlacementOf(dialog));
}

}  // namespace mervanta
