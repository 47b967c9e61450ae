#include "views/card_form.h"

#include <QAction>
#include <QHBoxLayout>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>
#include <array>

#include "model/columns.h"
#include "model/new_record.h"
#include "model/notices.h"
#include "model/records.h"
#include "model/table_options.h"
#include "settings/options.h"
#include "support/xml_helpers.h"
#include "views/card_items.h"
#include "views/card_layout.h"
#include "views/desktop_services.h"
#include "views/help_button.h"

namespace mervanta {

namespace {

struct TModeTexts {
  const char* Caption;
  const char* HelpTopic;
};

constexpr std::array<TModeTexts, 4> kModes{{{"New Record", "recordadd"},
                                            {"View", "recordedit"},
                                            {"Edit", "recordedit"},
                                            {"Normal Search", "normalsearch"}}};

// Room for the editors beside the captions when the form opens for the first time, in
// average characters of the card's font.
constexpr int kEditorChars = 40;

// The scroll box asks for the height of its items, which the form opens with.
class TCardBox final : public QScrollArea {
 public:
  TCardBox(QWidget* parent, QSize contents) : QScrollArea(parent), Contents_(contents) {}

  QSize sizeHint() const override {
    const int frame = 2 * frameWidth();
    return {Contents_.width() + frame + verticalScrollBar()->sizeHint().width(),
            Contents_.height() + frame};
  }

 private:
  QSize Contents_;
};

QString Text(const char* text) {
  return QString::fromUtf8(text);
}

}  // namespace

TCardForm::TCardForm(QWidget* parent, TCardMode mode, const TCardSubject& subject)
    : QDialog(parent), Mode_(mode), Subject_(subject) {
  setObjectName(QStringLiteral("CardForm"));
  const TModeTexts& texts = kModes[static_cast<std::size_t>(mode)];
  setWindowTitle(Text(texts.Caption));
  setSizeGripEnabled(true);
  setMinimumSize(kCardMinWidth, kCardMinHeight);
  const TCardCategory& card = *Options().Card;
  const bool search = mode == TCardMode::NormalSearch;
  Items_ = std::make_unique<TCardItems>(*subject.Records,
                                        !search && !subject.Options->NoTrim->Value(), mode, card);

  auto* layout = new QVBoxLayout(this);
  Fields_ = new QWidget;
  Fields_->setObjectName(QStringLiteral("Fields"));
  const int total = Items_->Build(Fields_);
  const int screenHeight = screen()->availableGeometry().height();
  const int boxHeight = CardBoxHeight(total, screenHeight);
  const int captionWidth = Items_->CaptionWidth();
  const int editorWidth =
      kEditorChars * QFontMetrics(Items_->Count() > 0 ? Items_->Item(0).Editor().font() : font())
                         .averageCharWidth();
  const int contentsWidth = captionWidth + kCardEditorGap + editorWidth;
  Fields_->resize(contentsWidth, total);
  Items_->FitWidth(contentsWidth);
  Box_ = new TCardBox(this, QSize(contentsWidth, boxHeight));
  Box_->setObjectName(QStringLiteral("ScrollBox"));
  Box_->setFrameShape(QFrame::NoFrame);
  Box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  Box_->setMaximumHeight(boxHeight);
  Box_->setWidget(Fields_);
  Box_->viewport()->installEventFilter(this);
  layout->addWidget(Box_, 1);

  auto* buttons = new QHBoxLayout;
  AddHelpButton(*this, *buttons, texts.HelpTopic);
  buttons->addStretch(1);
  const bool addingMode = card.AddingMode->Value() && mode == TCardMode::New;
  if (search) {
    auto* reset = new QPushButton(tr("&Reset"), this);
    reset->setObjectName(QStringLiteral("ResetButton"));
    reset->setAutoDefault(false);
    connect(reset, &QPushButton::clicked, this, &TCardForm::Reset);
    buttons->addWidget(reset);
  }
  Ok_ = new QPushButton(search ? tr("Find") : addingMode ? tr("Add") : tr("OK"), this);
  Ok_->setObjectName(QStringLiteral("OkButton"));
  Ok_->setDefault(true);
  Ok_->setEnabled(mode != TCardMode::View);
  connect(Ok_, &QPushButton::clicked, this, &TCardForm::Accept);
  buttons->addWidget(Ok_);
  auto* cancel = new QPushButton(addingMode ? tr("Close") : tr("Cancel"), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  cancel->setAutoDefault(false);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);

  switch (mode) {
    case TCardMode::New:
      LoadNew();
      break;
    case TCardMode::View:
    case TCardMode::Edit:
      Items_->Load(TCardLoad::Record, nullptr, subject.Record);
      break;
    case TCardMode::NormalSearch:
      Items_->Load(TCardLoad::SearchValues, subject.Values);
      break;
  }
  adjustSize();
  RestorePlacement();
}

TCardForm::~TCardForm() {
  SavePlacement();
}

void TCardForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Items_->FocusFirst();
}

bool TCardForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Box_->viewport() && event->type() == QEvent::Resize) {
    const int width = static_cast<QResizeEvent*>(event)->size().width();
    Fields_->resize(width, Fields_->height());
    Items_->FitWidth(width);
  }
  return QDialog::eventFilter(watched, event);
}

void TCardForm::LoadNew() {
  if (Subject_.Template != nullptr) {
    Items_->Load(TCardLoad::Record, nullptr, Subject_.Template);
  } else {
    Items_->Load(TCardLoad::Defaults);
  }
  Items_->AssignCounters();
}

void TCardForm::Accept() {
  const TTableOptions* options = Subject_.Options;
  switch (Mode_) {
    case TCardMode::New: {
      if (!Items_->Validate(Subject_.Template, options->AllowEmpty->Value(),
                            options->NoEquals->Value())) {
        return;
      }
      TRecords& all = Subject_.Records->Master();
      TRecord& record = all.NewRecord(all.Columns().StoredCount());
      if (!Items_->Store(record)) {
        all.FreeRecord(record);
        return;
      }
      InsertNewRecord(all, record, *options, Subject_.InsertIndex);
      ++Added_;
      if (!Options().Card->AddingMode->Value()) break;
      Items_->NoteAdded(record);
      LoadNew();
      Items_->FocusFirst();
      return;
    }
    case TCardMode::Edit:
      if (!Items_->Validate(Subject_.Record, options->AllowEmpty->Value(),
                            options->NoEquals->Value()) ||
          !Items_->Store(*Subject_.Record)) {
        return;
      }
      Edited_ = true;
      TRecordsNotice{.Records = &Subject_.Records->Master(), .Record = Subject_.Record}.Send(
          TMsgCode::RecordEdited);
      break;
    case TCardMode::NormalSearch: {
      TUsualValues values = *Subject_.Values;
      if (!Items_->ReadValues(values)) return;
      *Subject_.Values = values;
      break;
    }
    case TCardMode::View:
      return;
  }
  accept();
}

void TCardForm::Reset() {
  Items_->Load(TCardLoad::Reset);
  Items_->FocusFirst();
}

void TCardForm::RestorePlacement() {
  TWindowPlacement placement{.Maximizable = false, .Width = width(), .Height = height()};
  const QRect screenArea = screen()->availableGeometry();
  ReadPlacement(DesktopServices().SessionElement("CardForm"), placement, screenArea.width(),
                screenArea.height());
  if (placement.AutoPosition) return;
  // The height follows the table's columns; only the place and the width are kept.
  move(placement.Left, placement.Top);
  resize(placement.Width, height());
}

void TCardForm::SavePlacement() {
  TXmlTag& element = DesktopServices().SessionElement("CardForm");
  WritePlacement(element, {.Maximizable = false,
                           .AutoPosition = false,
                           .Left = x(),
                           .Top = y(),
                           .Width = width(),
                           .Height = height()});
}

int AddRecords(QWidget* parent, const TTableOptions& options, TRecords& all, const TRecord* pattern,
               int insertIndex) {
  TCardForm form(
      parent, TCardMode::New,
      {.Records = &all, .Options = &options, .Template = pattern, .InsertIndex = insertIndex});
  form.exec();
  return form.Added();
}

bool EditRecord(QWidget* parent, const TTableOptions& options, TRecords& list, TRecord& record,
                bool readOnly) {
  TCardForm form(parent, readOnly ? TCardMode::View : TCardMode::Edit,
                 {.Records = &list, .Options = &options, .Record = &record});
  form.exec();
  return form.Edited();
}

bool NormalSearchCard(QWidget* parent, TRecords& all, TUsualValues& values) {
  TCardForm form(parent, TCardMode::NormalSearch, {.Records = &all, .Values = &values});
  return form.exec() == QDialog::Accepted;
}

}  // namespace mervanta
