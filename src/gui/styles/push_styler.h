#pragma once

#include <QFont>
#include <QMargins>
#include <QObject>

#include "styles/background.h"
#include "styles/painter_styles.h"

namespace mervanta {

enum TStylerOption : std::uint8_t {
  soAllowFrameDefault = 1,
  soChevronArrows = 2,
  soLargeSigns = 4
};

// A look shared by any number of controls: the font, the spacing, how the desktop's theme
// takes part, and the per-state styles. Every change reaches the painters that use it.
class TPushStyler final : public QObject {
  Q_OBJECT

 public:
  TPushStyler();

  const QFont& Font() const { return Font_; }
  void SetFont(const QFont& font);
  TStylerMode Mode() const { return Mode_; }
  void SetMode(TStylerMode mode);
  std::uint8_t Options() const { return Options_; }
  void SetOptions(std::uint8_t options);
  const QMargins& Padding() const { return Padding_; }
  void SetPadding(const QMargins& padding);
  int Spacing() const { return Spacing_; }
  void SetSpacing(int spacing);
  Qt::CursorShape Cursor() const { return Cursor_; }
  void SetCursor(Qt::CursorShape cursor);

  TPainterStyles& Styles() { return Styles_; }
  const TPainterStyles& Styles() const { return Styles_; }

  // The desktop's theme draws the backgrounds: a themed mode, and a desktop style that
  // themes its controls.
  bool Themed() const;

 signals:
  // Measure again and repaint.
  void Changed();
  void CursorChanged();

 private:
  // Every setting but the cursor asks the controls to measure and paint again.
  template <class T>
  void Change(T& setting, const T& value) {
    setting = value;
    emit Changed();
  }

  QFont Font_;
  TStylerMode Mode_ = TStylerMode::Classic;
  std::uint8_t Options_ = 0;
  QMargins Padding_;
  int Spacing_ = 4;
  Qt::CursorShape Cursor_ = Qt::ArrowCursor;
  TPainterStyles Styles_;
};

}  // namespace mervanta
