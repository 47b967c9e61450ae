#include "app/message_box.h"

#include <QApplication>
#include <QMessageBox>

#include "views/desktop_services.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

QMessageBox::Icon IconOf(TIcon icon) {
  switch (icon) {
    case TIcon::Information:
      return QMessageBox::Information;
    case TIcon::Warning:
      return QMessageBox::Warning;
    case TIcon::Error:
      return QMessageBox::Critical;
    case TIcon::Question:
      return QMessageBox::Question;
    case TIcon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

struct TButtonSet {
  QMessageBox::StandardButtons Buttons;
  QMessageBox::StandardButton Escape;
};

TButtonSet ButtonsOf(TButtons buttons) {
  switch (buttons) {
    case TButtons::OkCancel:
      return {QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel};
    case TButtons::YesNo:
      return {QMessageBox::Yes | QMessageBox::No, QMessageBox::No};
    case TButtons::YesNoCancel:
      return {QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, QMessageBox::Cancel};
    case TButtons::Ok:
      break;
  }
  return {QMessageBox::Ok, QMessageBox::Ok};
}

TAnswer AnswerOf(int button) {
  switch (button) {
    case QMessageBox::Ok:
      return TAnswer::Ok;
    case QMessageBox::Yes:
      return TAnswer::Yes;
    case QMessageBox::No:
      return TAnswer::No;
    default:
      return TAnswer::Cancel;
  }
}

}  // namespace

std::string WithFullStop(std::string text) {
  if (!text.empty()) {
    const auto last = static_cast<unsigned char>(text.back());
    if (last > '.' && last != '?') text += '.';
  }
  return text;
}

TAnswer ShowMessageBox(QWidget* parent, std::string_view text, std::string_view caption,
                       TButtons buttons, TIcon icon) {
  const TButtonSet set = ButtonsOf(buttons);
  QString shown = DisplayText(WithFullStop(std::string(text)));
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  QMessageBox box(IconOf(icon), caption.empty() ? DesktopServices().Title() : DisplayText(caption),
                  shown, set.Buttons, parent != nullptr ? parent : QApplication::activeWindow());
  box.setEscapeButton(set.Escape);
  return AnswerOf(box.exec());
}

}  // namespace mervanta
