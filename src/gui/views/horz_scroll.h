#pragma once

#include <QResizeEvent>
#include <QScrollBar>

namespace mervanta {

// The lists' shared horizontal scroll bar: ten pixels a line, its own width a page.
class THorzScroll final : public QScrollBar {
 public:
  explicit THorzScroll(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
    setSingleStep(10);
    setFocusPolicy(Qt::NoFocus);
  }

 protected:
  void resizeEvent(QResizeEvent* event) override {
    QScrollBar::resizeEvent(event);
    setPageStep(std::max(width(), 1));
  }
};

}  // namespace mervanta
