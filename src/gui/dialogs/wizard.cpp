#include "dialogs/wizard.h"

#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QPushButton>

#include "dialogs/error_box.h"
#include "dialogs/wizard_images.h"
#include "support/errors.h"

namespace mervanta {

namespace {

constexpr int HeadBandHeight = 54;
constexpr int HalfBandWidth = 160;
constexpr int BottomLine = 345;
constexpr int ButtonWidth = 73;
constexpr int ButtonHeight = 23;
constexpr int ButtonRowHeight = 41;

void PaintEdgeLines(QPainter& painter, const QPalette& palette, int y) {
  painter.setPen(palette.color(QPalette::Dark));
  painter.drawLine(0, y, TWizardPage::PageWidth - 1, y);
  painter.setPen(palette.color(QPalette::Light));
  painter.drawLine(0, y + 1, TWizardPage::PageWidth - 1, y + 1);
}

void DrawTextAt(QPainter& painter, int x, int y, const QString& text) {
  painter.drawText(QRect(x, y, TWizardPage::PageWidth - x, TWizardPage::PageHeight - y),
                   Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
}

}  // namespace

TWizardPage::TWizardPage(TWizard& wizard, TWizardPageKind kind)
    : QWidget(&wizard.Form()), Wizard_(&wizard), PageKind_(kind) {
  setAttribute(Qt::WA_OpaquePaintEvent);
  setGeometry(0, 0, PageWidth, PageHeight);
  hide();
}

TWizardPage::~TWizardPage() {
  if (!Wizard_) return;
  // Pages leading here become last pages.
  for (auto* page : Wizard_->Form().findChildren<TWizardPage*>()) {
    if (page->NextPage_ == this) page->SetNextPage(nullptr);
  }
}

void TWizardPage::SetPageKind(TWizardPageKind kind) {
  PageKind_ = kind;
  update();
}

void TWizardPage::SetCaption(const QString& caption) {
  Caption_ = caption;
  update();
}

void TWizardPage::SetSubCaption(const QString& caption) {
  SubCaption_ = caption;
  update();
}

void TWizardPage::SetNoteText(const QString& text) {
  NoteText_ = text;
  update();
}

void TWizardPage::SetNextPage(TWizardPage* page) {
  NextPage_ = page;
  if (Wizard_ && Wizard_->CurrentPage() == this) Wizard_->UpdateButtons();
}

QRect TWizardPage::ContentRect() const {
  return PageKind_ == pkHead ? QRect(QPoint(48, 71), QPoint(496, 336))
                             : QRect(QPoint(175, 79), QPoint(537, 336));
}

void TWizardPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (!Wizard_) {
    painter.fillRect(rect(), palette().color(QPalette::Button));
    return;
  }
  if (PageKind_ == pkHead) {
    PaintHead(painter, *Wizard_);
  } else {
    PaintHalf(painter, *Wizard_);
  }
  // Below the bottom lines the form's own background continues.
  painter.fillRect(QRect(0, BottomLine, PageWidth, PageHeight - BottomLine),
                   palette().color(QPalette::Button));
  PaintEdgeLines(painter, palette(), BottomLine);
  if (!NoteText_.isEmpty()) {
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect content = ContentRect();
    DrawTextAt(painter, content.left() + 1,
               content.bottom() + 1 - painter.fontMetrics().height() - 1, NoteText_);
  }
}

void TWizardPage::PaintHead(QPainter& painter, const TWizard& wizard) {
  painter.fillRect(QRect(0, HeadBandHeight + 2, PageWidth, BottomLine - HeadBandHeight - 2),
                   palette().color(QPalette::Button));
  painter.fillRect(QRect(0, 0, PageWidth, HeadBandHeight), wizard.HeadColor());
  PaintEdgeLines(painter, palette(), HeadBandHeight);
  const QPixmap& image = wizard.HeadImage();
  if (!image.isNull()) {
    const int margin = (HeadBandHeight - image.height()) / 2;
    painter.drawPixmap(PageWidth - margin - image.width(), margin, image);
  }
  QFont bold = font();
  bold.setBold(true);
  painter.setFont(bold);
  painter.setPen(palette().color(QPalette::WindowText));
  DrawTextAt(painter, 24, 12, Caption_);
  const int subTop = painter.fontMetrics().height() + 18;
  painter.setFont(font());
  DrawTextAt(painter, 48, subTop, SubCaption_);
}

void TWizardPage::PaintHalf(QPainter& painter, const TWizard& wizard) {
  painter.fillRect(QRect(HalfBandWidth, 0, PageWidth - HalfBandWidth, BottomLine), Qt::white);
  const QRect band(0, 0, HalfBandWidth, BottomLine);
  if (wizard.OnHalfPaint) {
    painter.save();
    wizard.OnHalfPaint(painter, band);
    painter.restore();
  } else {
    painter.fillRect(band, wizard.HalfColor());
  }
  const QPixmap& image = wizard.HalfImage();
  if (!image.isNull()) painter.drawPixmap(140 - image.width(), 20, image);
  QFont caption = font();
  caption.setBold(true);
  caption.setPointSize(12);
  painter.setFont(caption);
  // A half page stays white whatever the desktop's colours, so its text is dark.
  painter.setPen(Qt::black);
  painter.drawText(QRect(175, 0, PageWidth - 175, 64), Qt::AlignLeft | Qt::AlignVCenter, Caption_);
  painter.setFont(font());
}

TWizard::TWizard(QDialog& form, TWizardOptions options)
    : QObject(&form),
      Form_(form),
      Options_(options),
      HeadColor_(form.palette().color(QPalette::Base)),
      HalfImage_(WizardHalfImage()),
      HeadImage_(WizardHeadImage()) {
  form.installEventFilter(this);
}

void TWizard::SetHalfColor(const QColor& color) {
  HalfColor_ = color;
  RepaintPages();
}

void TWizard::SetHeadColor(const QColor& color) {
  HeadColor_ = color;
  RepaintPages();
}

void TWizard::SetHalfImage(const QPixmap& image) {
  HalfImage_ = image;
  RepaintPages();
}

void TWizard::SetHeadImage(const QPixmap& image) {
  HeadImage_ = image;
  RepaintPages();
}

void TWizard::RepaintPages() {
  for (auto* page : Form_.findChildren<TWizardPage*>()) {
    if (page->Wizard() == this) page->update();
  }
}

QPushButton* TWizard::AddButton(const char* name, const QString& text, int left) {
  auto* button = new QPushButton(text, &Form_);
  button->setObjectName(QString::fromLatin1(name));
  const int top = TWizardPage::PageHeight + (ButtonRowHeight - ButtonHeight) / 2;
  button->setGeometry(left, top, ButtonWidth, ButtonHeight);
  button->setAutoDefault(false);
  // Made while the form may already be showing, where children are not shown with it.
  button->show();
  return button;
}

void TWizard::Build() {
  if (BackButton_) return;
  BackButton_ = AddButton("Back", QStringLiteral("< &Back"), 310);
  NextButton_ = AddButton("Next", QStringLiteral("&Next >"), 383);
  FinishButton_ = AddButton("Finish", QStringLiteral("Finish"), 383);
  CancelButton_ = AddButton("Cancel", QStringLiteral("Cancel"), 464);
  connect(BackButton_, &QPushButton::clicked, this, &TWizard::Back);
  connect(NextButton_, &QPushButton::clicked, this, &TWizard::Next);
  connect(FinishButton_, &QPushButton::clicked, this, &TWizard::Finish);
  connect(CancelButton_, &QPushButton::clicked, &Form_, &QDialog::reject);
  // The page area has the fixed pixels its pages are painted for.
  Form_.setFixedSize(TWizardPage::PageWidth, TWizardPage::PageHeight + ButtonRowHeight);
  ShowPage(StartPage_);
  if (Options_.testFlag(woSkipFirstPage) && Current_ && Current_->NextPage()) Next();
}

void TWizard::ShowPage(TWizardPage* page) {
  if (Current_) Current_->hide();
  Current_ = page;
  if (page) {
    page->move(0, 0);
    page->show();
    page->raise();
    if (page->OnShow) page->OnShow();
  }
  UpdateButtons();
  QWidget* focus = FinishButton_->isVisible() ? FinishButton_ : NextButton_;
  if (page) {
    for (QWidget* widget = page->nextInFocusChain(); widget != page && page->isAncestorOf(widget);
         widget = widget->nextInFocusChain()) {
      if ((widget->focusPolicy() & Qt::TabFocus) && widget->isEnabled() &&
          widget->isVisibleTo(page)) {
        focus = widget;
        break;
      }
    }
  }
  focus->setFocus();
}

void TWizard::UpdateButtons() {
  if (!BackButton_) return;
  BackButton_->setEnabled(!History_.empty());
  const bool last = !Current_ || !Current_->NextPage();
  NextButton_->setVisible(!last);
  FinishButton_->setVisible(last);
  NextButton_->setDefault(!last);
  FinishButton_->setDefault(last);
  FinishButton_->setEnabled(!Options_.testFlag(woDoneDisabled));
}

bool TWizard::PassesBeforeNext() {
  if (!Current_ || !Current_->OnBeforeNext) return true;
  bool aborted = false;
  const bool passed = RunShowingErrors([&] {
    try {
      Current_->OnBeforeNext();
    } catch (const EOperationAborted&) {
      aborted = true;
    }
  });
  return passed && !aborted;
}

void TWizard::Next() {
  if (!Current_ || !Current_->NextPage() || !PassesBeforeNext()) return;
  History_.push_back(Current_);
  ShowPage(Current_->NextPage());
}

void TWizard::Back() {
  while (!History_.empty()) {
    QPointer<TWizardPage> page = History_.back();
    History_.pop_back();
    // A page removed meanwhile is passed over.
    if (page) {
      ShowPage(page);
      return;
    }
  }
  UpdateButtons();
}

void TWizard::Finish() {
  if (Current_ && !Options_.testFlag(woDoneDisabled) && PassesBeforeNext()) Form_.accept();
}

bool TWizard::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &Form_) {
    if (event->type() == QEvent::Show && !BackButton_ && StartPage_ &&
        !Options_.testFlag(woNoAutoExecute)) {
      Build();
    } else if (event->type() == QEvent::KeyPress && BackButton_ &&
               static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape && Current_ != StartPage_) {
      // Esc cancels only on the start page, where nothing was entered yet.
      return true;
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace mervanta
