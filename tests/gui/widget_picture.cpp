#include "widget_picture.h"

#include <QCoreApplication>
#include <QDir>
#include <QPixmap>

namespace mervanta::test {

std::string SaveWidgetPicture(QWidget& widget, const std::string& name) {
  const QString folder = QStringLiteral(MERVANTA_GUI_PICTURES);
  if (!QDir().mkpath(folder)) return {};
  const QString path = folder + "/" + QString::fromStdString(name) + ".png";
  // What the event loop would have done before the user saw it: layouts settle.
  QCoreApplication::sendPostedEvents();
  return widget.grab().save(path, "PNG") ? path.toStdString() : std::string();
}

}  // namespace mervanta::test
