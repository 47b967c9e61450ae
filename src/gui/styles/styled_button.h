#pragma once

#include <QPushButton>
#include <QUrl>

#include "styles/styled_painter.h"

namespace mervanta {

// A push button drawn by a shared painter. It stays a Qt push button in every other way:
// default button of its dialog, keyboard focus, accelerator, accessible name.
class TStyledButton : public QPushButton {
  Q_OBJECT

 public:
  TStyledButton(const QString& caption, TStyledPainter& painter, QWidget* parent = nullptr);

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }
  // The state bits the painter resolves its style for.
  int StateFlags() const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool event(QEvent* event) override;

 private:
  TStyledClient Client() const;
  void FollowStyler();

  TStyledPainter& Painter_;
};

// A link drawn by the hyperlink painter: a flat button that opens its address.
class TStyledLink final : public TStyledButton {
  Q_OBJECT

 public:
  TStyledLink(const QString& caption, const QUrl& url, TStyledPainter& painter,
              QWidget* parent = nullptr);
  const QUrl& Url() const { return Url_; }

 private:
  QUrl Url_;
};

}  // namespace mervanta
