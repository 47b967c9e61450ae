#pragma once

#include <QWidget>
#include <string>

namespace mervanta::test {

// Saves what the widget shows as gui-pictures/<name>.png under the build folder, for anyone
// to look at what a test saw; answers the file's path, empty when it could not be written.
std::string SaveWidgetPicture(QWidget& widget, const std::string& name);

}  // namespace mervanta::test
