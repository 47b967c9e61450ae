#include "widget_picture.h"

#include <QDir>
#include <QPixmap>

namespace mervanta::test {

std::string SaveWidgetPicture(QWidget& widget, const std::string& name) {
  const QString folder = QStringLiteral(MERVANTA_GUI_PICTURES);
  if (!QDir().mkpath(folder)) return {};
  const QString path = folder + "/" + QString::fromStdString(name) + ".png";
  return widget.grab().save(path, "PNG") ? path.toStdString() : std::string();
}

}  // namespace mervanta::test
