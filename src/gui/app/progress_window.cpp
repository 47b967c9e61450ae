#include "app/progress_window.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace mervanta {

namespace {

constexpr QSize kClientSize(264, 81);

}  // namespace

TProgressWindow::TProgressWindow(int maximum)
    : QFrame(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      Percent_(new QLabel(this)),
      Bar_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("ProgressWindow"));
  setWindowTitle(QStringLiteral("Executing"));
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setFixedSize(kClientSize);
  // Frameless, it draws its own edge and caption.
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(2);
  auto* caption = new QLabel(QStringLiteral("Executing"), this);
  QFont bold = caption->font();
  bold.setBold(true);
  caption->setFont(bold);
  Percent_->setAlignment(Qt::AlignCenter);
  Bar_->setRange(0, std::max(maximum, 1));
  Bar_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(caption);
  layout->addWidget(Percent_);
  layout->addWidget(Bar_);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  setAutoFillBackground(true);
  show();
  Flush();
}

void TProgressWindow::SetText(const QString& text) {
  Percent_->setText(text);
  Flush();
}

void TProgressWindow::SetPosition(int position) {
  Bar_->setValue(std::min(position, Bar_->maximum()));
  Flush();
}

void TProgressWindow::Flush() {
  repaint();
}

}  // namespace mervanta
