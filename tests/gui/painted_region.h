#pragma once

#include <QCoreApplication>
#include <QPaintEvent>
#include <QRegion>
#include <QWidget>
#include <utility>

namespace mervanta::test {

// Collects what a widget repaints while it lives.
class TPaintedRegion : public QObject {
 public:
  explicit TPaintedRegion(QWidget& widget) { widget.installEventFilter(this); }

  // What was painted since the last call, once the pending repaints are done.
  QRegion Take() {
    QCoreApplication::processEvents();
    return std::exchange(Region_, QRegion());
  }

 protected:
  bool eventFilter(QObject* /*watched*/, QEvent* event) override {
    if (event->type() == QEvent::Paint) Region_ += static_cast<QPaintEvent*>(event)->region();
    return false;
  }

 private:
  QRegion Region_;
};

}  // namespace mervanta::test
