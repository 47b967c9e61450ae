#pragma once

#include <functional>
#include <string>
#include <vector>

#include "views/byte_font.h"
#include "views/cell_layout.h"
#include "views/custom_list.h"
#include "views/picture_cache.h"

namespace mervanta {

class TColumn;
class TOptions;
class TRecord;

// What the owner of a list may add to every cell. Positions count characters from 1 through
// the whole cell text, line breaks included; carets count boundaries from 0.
struct TCellEvents {
  // Replaces the text shown in the cell of the row.
  std::function<void(int row, std::string& text, const TColumn& column)> GetCellText;
  std::function<void(const TColumn& column, int& start, int& end, const TRecord& record)>
      GetMarkRange;
  // Asked only for found records.
  std::function<void(const TColumn& column, int& start, int& end, const TRecord& record)>
      GetFoundRange;
  std::function<void(const TColumn& column, int& caretA, int& caretB, const TRecord& record)>
      GetCaretPair;
  std::function<void(const TColumn& column, int& caret, const TRecord& record)> GetCaret;
};

// One cell laid out: what it shows and where, with the ranges its owner marked.
struct TFieldPaintData {
  std::string Text;
  TCellLayout Layout;
  const TPictureCache::TPicture* Picture = nullptr;
  bool IsIcon = false;
  bool IsNumber = false;
  int MarkStart = 0, MarkEnd = 0;
  int FoundStart = 0, FoundEnd = 0;
  int CaretA = -1, CaretB = -1, Caret = -1;
};

// The record list as rows of cells, one cell per visible column, each as wide as its column:
// lines of text, word-wrapped text, pictures or "+"/"-" icons, with the selected, found and
// chosen records, the sorted column and alternate rows coloured by the options, and web and
// e-mail links that open on a click.
class TFlipList : public TCustomList {
  Q_OBJECT

 public:
  TFlipList(TOptions& options, TPictureCache& pictures, QWidget* parent);

  void SetEvents(TCellEvents events) { Events_ = std::move(events); }
  // Where relative picture and file names start.
  void SetTableFolder(std::string folder) { TableFolder_ = std::move(folder); }

  int HorzPos() const { return HorzPos_; }
  // Moves the painted content sideways; only the uncovered strip is painted.
  void SetHorzPos(int x);

  // Sets the column's width to its widest cell, with progress over the records.
  void BestFitWidth(TColumn& column);

  int ItemHeight(int index) const override;
  // Lays the cell of the row out in a box (TCellBox::kUnbounded height to measure).
  TFieldPaintData LayOutField(int row, const TColumn& column, TCellBox box) const;
  // The link under a viewport point, empty when none.
  std::string LinkAt(QPoint point) const;

 protected:
  void ApplyFont() override;
  void paintEvent(QPaintEvent* event) override;
  bool viewportEvent(QEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  struct THit {
    int Row = -1;
    const TColumn* Column = nullptr;
    QRect Cell;
  };

  std::vector<const TColumn*> VisibleColumns() const;
  // A picture's file: a relative name starts from the table's folder.
  std::string PicturePath(std::string_view name) const;
  // What a picture may fill in a cell's box.
  static QSize PictureBox(TCellBox box, const TCellSpacing& spacing);
  void PrefetchPictures(int index) const;
  int CellWidth(const TColumn& column) const;
  THit HitAt(QPoint point) const;
  void ShowHint(QPoint point);
  void OpenLink(const std::string& link, const TRecord& record) const;

  TOptions& AllOptions_;
  TPictureCache& Pictures_;
  TByteFont Measure_;
  TCellEvents Events_;
  std::string TableFolder_;
  int HorzPos_ = 0;
  std::string PressedLink_;
  int PressedRow_ = -1;
  THit LastHint_;
};

}  // namespace mervanta
