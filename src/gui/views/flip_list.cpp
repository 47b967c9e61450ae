#include "views/flip_list.h"

#include <QDesktopServices>
#include <QDir>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "model/columns.h"
#include "model/records.h"
#include "settings/options.h"
#include "support/numbers.h"
#include "support/progress.h"
#include "views/cell_painter.h"
#include "views/hint.h"
#include "views/link_url.h"
#include "settings/qt_values.h"

namespace mervanta {

namespace {

// A row whose picture is not held yet has the pictures of this many rows read side by side.
constexpr int kPrefetchedRows = 8;
// Best fit stops looking once a column is this wide.
constexpr int kBestFitCap = 1000;

TCellSpacing SpacingOf(const TFlipExactCategory& exact) {
  return {exact.HorzSpace->Value(), exact.VertSpace->Value(), exact.PictureSpace->Value()};
}

bool MayBeNumber(TColumnType type) {
  return type != TColumnType::File && type != TColumnType::Picture;
}

}  // namespace

TFlipList::TFlipList(TOptions& options, TPictureCache& pictures, QWidget* parent)
    : TCustomList(*options.Flip, parent),
      AllOptions_(options),
      Pictures_(pictures),
      Measure_(font()) {
  ApplyFont();
}

void TFlipList::ApplyFont() {
  TCustomList::ApplyFont();
  Measure_ = TByteFont(font());
}

std::vector<const TColumn*> TFlipList::VisibleColumns() const {
  std::vector<const TColumn*> columns;
  if (Source() == nullptr) return columns;
  for (const auto& column : Source()->Columns()) {
    if (column->Visible->Value()) columns.push_back(column.get());
  }
  return columns;
}

int TFlipList::CellWidth(const TColumn& column) const {
  return column.Width->Value() - (Options().VertLines->Value() ? 1 : 0);
}

TFieldPaintData TFlipList::LayOutField(int row, const TColumn& column, TCellBox box) const {
  TFieldPaintData field;
  const TRecord& record = Source()->Item(row);
  std::string computed;
  field.Text.assign(record.Value(column, computed));
  if (Events_.GetCellText) Events_.GetCellText(row, field.Text, column);
  if (Events_.GetMarkRange) Events_.GetMarkRange(column, field.MarkStart, field.MarkEnd, record);
  if (Events_.GetFoundRange && record.Found()) {
    Events_.GetFoundRange(column, field.FoundStart, field.FoundEnd, record);
  }
  if (Events_.GetCaretPair) Events_.GetCaretPair(column, field.CaretA, field.CaretB, record);
  if (Events_.GetCaret) Events_.GetCaret(column, field.Caret, record);

  const TFlipCategory& flip = Options();
  const TColumnType type = column.ColumnType();
  TNumber number;
  field.IsNumber = MayBeNumber(type) && TryReadNumber(field.Text, number);

  const TCellSpacing spacing = SpacingOf(*flip.Exact);
  TCellContent content{.Text = field.Text,
                       .WordWrap = type == TColumnType::WordWrapped,
                       .IsNumber = field.IsNumber,
                       .Alignment = static_cast<TCellAlignment>(column.Alignment->Value())};
  const bool marked = field.FoundStart >= 1 || field.FoundEnd >= 1 || field.CaretA >= 0 ||
                      field.CaretB >= 0 || field.Caret >= 0;
  if (!marked && !field.Text.empty()) {
    const bool sign = field.Text == "+" || field.Text == "-";
    if (flip.Icons->Value() && sign) {
      field.IsIcon = true;
      field.Picture = &Pictures_.Get(field.Text, {});
    } else if (flip.ShowPictures->Value() && type == TColumnType::Picture) {
      field.Picture = &Pictures_.Get(PicturePath(field.Text), PictureBox(box, spacing));
    }
  }
  if (field.Picture != nullptr) {
    content.Picture = TCellSize{field.Picture->FullSize.width(), field.Picture->FullSize.height()};
    content.IsIcon = field.IsIcon;
  }
  field.Layout = LayOutCell(content, box, spacing, Measure_);
  return field;
}

std::string TFlipList::PicturePath(std::string_view name) const {
  return QDir(DisplayText(TableFolder_)).filePath(DisplayText(name)).toStdString();
}

QSize TFlipList::PictureBox(TCellBox box, const TCellSpacing& spacing) {
  const int width = box.Width - 2 * spacing.Picture;
  const int height = std::min(box.Height - 2 * spacing.Picture, kMaxRowHeight);
  return {std::max(width, 1), std::max(height, 1)};
}

void TFlipList::PrefetchPictures(int index) const {
  const TFlipCategory& flip = Options();
  if (!flip.ShowPictures->Value()) return;
  const TCellSpacing spacing = SpacingOf(*flip.Exact);
  std::vector<TPictureCache::TRequest> requests;
  bool needed = false;
  std::string text;
  const int last = std::min(index + kPrefetchedRows, Count());
  for (int row = index; row < last; ++row) {
    for (const TColumn* column : VisibleColumns()) {
      if (column->ColumnType() != TColumnType::Picture) continue;
      text.assign(Source()->Item(row).Value(*column, text));
      if (Events_.GetCellText) Events_.GetCellText(row, text, *column);
      if (text.empty() || (flip.Icons->Value() && (text == "+" || text == "-"))) continue;
      TPictureCache::TRequest request{PicturePath(text),
                                      PictureBox({.Width = CellWidth(*column)}, spacing)};
      // Only a row whose own picture is missing starts the reading of those after it.
      if (row == index && !Pictures_.IsReady(request.Name, request.DrawnAtMost)) needed = true;
      if (row == index && !needed) continue;
      requests.push_back(std::move(request));
    }
    if (!needed) return;
  }
  Pictures_.Prefetch(requests);
}

int TFlipList::ItemHeight(int index) const {
  PrefetchPictures(index);
  std::vector<int> needs;
  for (const TColumn* column : VisibleColumns()) {
    needs.push_back(LayOutField(index, *column, {.Width = CellWidth(*column)}).Layout.Need);
  }
  return RowHeight(LineHeight(), needs, Options().HorzLines->Value());
}

void TFlipList::SetHorzPos(int x) {
  if (x == HorzPos_) return;
  const int dx = HorzPos_ - x;
  HorzPos_ = x;
  if (std::abs(dx) < viewport()->width()) {
    viewport()->scroll(dx, 0);
  } else {
    viewport()->update();
  }
}

void TFlipList::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  const TFlipCategory& flip = Options();
  const TFlipExactCategory& exact = *flip.Exact;
  const QColor background = ToQColor(exact.BkColor->Value());
  const int width = viewport()->width();
  const int height = viewport()->height();
  int y = 0;
  if (Source() != nullptr) {
    const std::vector<const TColumn*> columns = VisibleColumns();
    const TRecords& records = *Source();
    const int selected = records.ItemIndex();
    const bool focused = hasFocus();
    const bool horzLines = flip.HorzLines->Value();
    const bool vertLines = flip.VertLines->Value();
    const TColumn* sorted = flip.HighlightSorted->Value() ? records.SortColumn() : nullptr;
    const QColor selection =
        ToQColor(focused ? exact.SelColor->Value() : exact.SelInactColor->Value());
    const QColor lines = ToQColor(exact.LinesColor->Value());
    TCellPaintStyle style{.SubString = ToQColor(exact.SubStrColor->Value()),
                          .ShowFoundRange = flip.FoundSubStr->Value(),
                          .Caret = ToQColor(exact.CaretColor->Value()),
                          .Folder = TableFolder_};
    for (int row = TopIndex(); row < records.Count() && y < height; ++row) {
      const int rowHeight = CachedHeight(row);
      if (y + rowHeight <= area.top() || y >= area.bottom() + 1) {
        y += rowHeight;
        continue;
      }
      const TRecord& record = records.Item(row);
      const bool isSelected = row == selected;
      const QColor rowBack = isSelected ? selection
                             : flip.HighlightOdd->Value() && row % 2 == 0
                                 ? ToQColor(exact.OddColor->Value())
                                 : ToQColor(exact.RowColor->Value());
      const QColor pen = isSelected ? selection : lines;
      const int usable = rowHeight - (horzLines ? 1 : 0);
      style.Text =
          ToQColor(flip.ChoicedFont->Value() && record.Chosen() ? exact.ChoicedFontColor->Value()
                   : isSelected                                 ? exact.SelFontColor->Value()
                                                                : exact.FontColor->Value());
      style.FoundBack =
          flip.FoundBk->Value() && record.Found()
              ? ToQColor(isSelected ? exact.SelFoundColor->Value() : exact.FoundColor->Value())
              : QColor();
      style.Link = isSelected ? QColor() : ToQColor(exact.LinkColor->Value());
      int x = -HorzPos_;
      for (const TColumn* column : columns) {
        if (x >= width) break;
        QRect cell(x, y, column->Width->Value(), usable);
        x += column->Width->Value();
        if (cell.right() < area.left() || cell.left() > area.right()) continue;
        if (vertLines) {
          painter.fillRect(cell.right(), y, 1, usable, pen);
          cell.setRight(cell.right() - 1);
        }
        const QColor cellBack =
            isSelected || column != sorted ? rowBack : ToQColor(exact.SortColor->Value());
        painter.fillRect(cell, cellBack);
        const TFieldPaintData field = LayOutField(row, *column,
                                                  {.Left = cell.left(),
                                                   .Top = cell.top(),
                                                   .Width = cell.width(),
                                                   .Height = cell.height()});
        style.LinkKinds = {.Urls = flip.AcceptWeb->Value(),
                           .Emails = flip.AcceptEmails->Value(),
                           .Files = column->ColumnType() == TColumnType::File};
        PaintCellContent(painter, cell, field, style, Measure_);
      }
      if (x < width) painter.fillRect(x, y, width - x, usable, rowBack);
      if (horzLines) {
        const QColor under = row + 1 == selected ? selection : pen;
        painter.fillRect(0, y + usable, width, 1, under);
      }
      y += rowHeight;
    }
  }
  if (y < height) painter.fillRect(0, y, width, height - y, background);
}

TFlipList::THit TFlipList::HitAt(QPoint point) const {
  THit hit;
  if (Source() == nullptr) return hit;
  hit.Row = ItemAt(point.y(), false);
  if (hit.Row < 0) return hit;
  const TColumns& columns = Source()->Columns();
  hit.Column = columns.ColumnAtX(point.x() + HorzPos_);
  if (hit.Column == nullptr) return hit;
  const int left = columns.XOfColumn(*hit.Column) - HorzPos_;
  const int top = ItemTop(hit.Row);
  hit.Cell = QRect(left, top, CellWidth(*hit.Column),
                   CachedHeight(hit.Row) - (Options().HorzLines->Value() ? 1 : 0));
  return hit;
}

bool TFlipList::viewportEvent(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    ShowHint(help->pos());
    return true;
  }
  return TCustomList::viewportEvent(event);
}

void TFlipList::ShowHint(QPoint point) {
  const THit hit = HitAt(point);
  if (!Options().ShowHints->Value() || IsSelecting() || hit.Column == nullptr) {
    QToolTip::hideText();
    return;
  }
  // The same cell is not offered twice in a row.
  if (hit.Row == LastHint_.Row && hit.Column == LastHint_.Column) return;
  LastHint_ = hit;
  const TFieldPaintData field = LayOutField(hit.Row, *hit.Column,
                                            {.Left = hit.Cell.left(),
                                             .Top = hit.Cell.top(),
                                             .Width = hit.Cell.width(),
                                             .Height = hit.Cell.height()});
  const bool whole = field.Picture == nullptr && field.Layout.ContentLeft >= hit.Cell.left() &&
                     field.Layout.ContentLeft + field.Layout.ContentWidth <= hit.Cell.right() + 1;
  if (field.Text.empty() || whole) {
    QToolTip::hideText();
    return;
  }
  ShowWrappedHint(*viewport(), hit.Cell, DisplayText(field.Text));
}

std::string TFlipList::LinkAt(QPoint point) const {
  const THit hit = HitAt(point);
  if (hit.Column == nullptr) return {};
  const TFieldPaintData field = LayOutField(hit.Row, *hit.Column,
                                            {.Left = hit.Cell.left(),
                                             .Top = hit.Cell.top(),
                                             .Width = hit.Cell.width(),
                                             .Height = hit.Cell.height()});
  if (field.Picture != nullptr || field.Layout.Lines.empty() ||
      point.y() < field.Layout.ContentTop) {
    return {};
  }
  const std::size_t line =
      static_cast<std::size_t>((point.y() - field.Layout.ContentTop) / Measure_.LineHeight());
  if (line >= field.Layout.Lines.size()) return {};
  const std::string_view text = field.Layout.Lines[line];
  const TFlipCategory& flip = Options();
  const TLinkKinds kinds{.Urls = flip.AcceptWeb->Value(),
                         .Emails = flip.AcceptEmails->Value(),
                         .Files = hit.Column->ColumnType() == TColumnType::File};
  for (const TLinkRange& link : FindLinks(text, kinds, TableFolder_)) {
    const auto start = static_cast<std::size_t>(link.Start - 1);
    const auto length = static_cast<std::size_t>(link.Length);
    const int left = field.Layout.ContentLeft + Measure_.TextWidth(text.substr(0, start));
    const int right = left + Measure_.TextWidth(text.substr(start, length));
    if (point.x() >= left && point.x() < right) return std::string(text.substr(start, length));
  }
  return {};
}

void TFlipList::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) PressedLink_ = LinkAt(event->position().toPoint());
  TCustomList::mousePressEvent(event);
}

void TFlipList::mouseMoveEvent(QMouseEvent* event) {
  TCustomList::mouseMoveEvent(event);
  if (IsSelecting()) return;
  const bool overLink = !LinkAt(event->position().toPoint()).empty();
  viewport()->setCursor(overLink ? Qt::PointingHandCursor : Qt::ArrowCursor);
}

void TFlipList::mouseReleaseEvent(QMouseEvent* event) {
  TCustomList::mouseReleaseEvent(event);
  if (event->button() != Qt::LeftButton || PressedLink_.empty()) return;
  const std::string pressed = std::move(PressedLink_);
  PressedLink_.clear();
  const QPoint point = event->position().toPoint();
  if (LinkAt(point) != pressed) return;
  const THit hit = HitAt(point);
  OpenLink(pressed, Source()->Item(hit.Row));
}

void TFlipList::OpenLink(const std::string& link, const TRecord& record) const {
  const bool mail = link.find('@') != std::string::npos;
  const std::string body = mail && AllOptions_.Other->AddFieldsToEmail->Value()
                               ? MailBody(Source()->Columns(), record)
                               : std::string();
  QDesktopServices::openUrl(LinkUrl(link, TableFolder_, body));
}

void TFlipList::BestFitWidth(TColumn& column) {
  if (Source() == nullptr) return;
  const TFlipExactCategory& exact = *Options().Exact;
  const int count = Source()->Count();
  int widest = 0;
  {
    TProgressScope progress(count);
    for (int row = 0; row < count && widest < kBestFitCap; ++row) {
      TProgress::Step();
      const TFieldPaintData field = LayOutField(row, column, {.Width = TCellBox::kUnbounded});
      const int space = field.Picture != nullptr && !field.IsIcon ? exact.PictureSpace->Value()
                                                                  : exact.HorzSpace->Value();
      widest = std::max(widest, field.Layout.ContentWidth + 2 * space);
    }
  }
  column.Width->SetValue(widest + (Options().VertLines->Value() ? 1 : 0));
}

}  // namespace mervanta
