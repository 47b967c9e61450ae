#pragma once

#include <QDialog>
#include <QPixmap>
#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

class QPushButton;

namespace mervanta {

class TWizard;

enum TWizardPageKind { pkHalf, pkHead };

enum TWizardOption {
  woNoAutoExecute = 1,  // the owner calls Build itself
  woSkipFirstPage = 2,  // the start page is passed over at once
  woDoneDisabled = 4,
};
Q_DECLARE_FLAGS(TWizardOptions, TWizardOption)

// One step of a wizard, always 545 x 347 pixels at the top-left of the wizard's form. Its own
// controls go into ContentRect(); the page paints its bands, images and captions around them.
class TWizardPage final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int PageWidth = 545;
  static constexpr int PageHeight = 347;

  explicit TWizardPage(TWizard& wizard, TWizardPageKind kind = pkHead);
  ~TWizardPage() override;

  TWizard* Wizard() const { return Wizard_; }
  TWizardPageKind PageKind() const { return PageKind_; }
  void SetPageKind(TWizardPageKind kind);
  const QString& Caption() const { return Caption_; }
  void SetCaption(const QString& caption);
  const QString& SubCaption() const { return SubCaption_; }
  void SetSubCaption(const QString& caption);
  const QString& NoteText() const { return NoteText_; }
  void SetNoteText(const QString& text);
  // None makes this a last page: the wizard offers Finish on it.
  TWizardPage* NextPage() const { return NextPage_; }
  void SetNextPage(TWizardPage* page);
  // Where the page's own controls sit.
  QRect ContentRect() const;

  // Raised before the page is left by Next or Finish; an EMervantaError thrown there is shown
  // and keeps the page; an EOperationAborted keeps it without a message.
  std::function<void()> OnBeforeNext;
  // Raised each time the page is shown.
  std::function<void()> OnShow;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void PaintHead(QPainter& painter, const TWizard& wizard);
  void PaintHalf(QPainter& painter, const TWizard& wizard);

  QPointer<TWizard> Wizard_;
  QPointer<TWizardPage> NextPage_;
  TWizardPageKind PageKind_;
  QString Caption_;
  QString SubCaption_;
  QString NoteText_;
};

// Drives the pages of a modal form one at a time: the history of visited pages for Back, and
// the Back, Next or Finish, and Cancel buttons in a row below the page area.
class TWizard final : public QObject {
  Q_OBJECT

 public:
  // Unless woNoAutoExecute is given, the wizard builds itself when the form is first shown.
  explicit TWizard(QDialog& form, TWizardOptions options = {});

  QDialog& Form() const { return Form_; }
  TWizardOptions Options() const { return Options_; }
  TWizardPage* StartPage() const { return StartPage_; }
  void SetStartPage(TWizardPage* page) { StartPage_ = page; }
  TWizardPage* CurrentPage() const { return Current_; }

  QColor HalfColor() const { return HalfColor_; }
  void SetHalfColor(const QColor& color);
  QColor HeadColor() const { return HeadColor_; }
  void SetHeadColor(const QColor& color);
  const QPixmap& HalfImage() const { return HalfImage_; }
  void SetHalfImage(const QPixmap& image);
  const QPixmap& HeadImage() const { return HeadImage_; }
  void SetHeadImage(const QPixmap& image);
  // When set, paints the band of half pages instead of the half colour.
  std::function<void(QPainter&, const QRect&)> OnHalfPaint;

  // Fixes the form's size, puts the buttons on it and shows the start page.
  void Build();
  void Back();
  void Next();
  void Finish();
  // Follows a change of the current page's next page.
  void UpdateButtons();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QPushButton* AddButton(const char* name, const QString& text, int left);
  void ShowPage(TWizardPage* page);
  bool PassesBeforeNext();
  void RepaintPages();

  QDialog& Form_;
  TWizardOptions Options_;
  QColor HalfColor_{0x83, 0xAD, 0xFC};
  QColor HeadColor_;
  QPixmap HalfImage_;
  QPixmap HeadImage_;
  QPointer<TWizardPage> StartPage_;
  QPointer<TWizardPage> Current_;
  std::vector<QPointer<TWizardPage>> History_;
  QPushButton* BackButton_ = nullptr;
  QPushButton* NextButton_ = nullptr;
  QPushButton* FinishButton_ = nullptr;
  QPushButton* CancelButton_ = nullptr;
};

}  // namespace mervanta

Q_DECLARE_OPERATORS_FOR_FLAGS(mervanta::TWizardOptions)
