#include "views/cell_layout.h"

#include <algorithm>
#include <cmath>

namespace mervanta {

namespace {

// Rounded to nearest, ties to even.
int Rounded(double value) {
  return static_cast<int>(std::nearbyint(value));
}

int Scaled(int size, int numerator, int denominator) {
  return Rounded(static_cast<double>(size) * numerator / denominator);
}

bool IsLineBreak(char c) {
  return c == '\r' || c == '\n';
}

// The line that starts at `pos`, and where the next one starts.
std::string_view NextLine(std::string_view text, std::size_t& pos) {
  const std::size_t start = pos;
  while (pos < text.size() && !IsLineBreak(text[pos])) ++pos;
  const std::string_view line = text.substr(start, pos - start);
  if (pos < text.size() && text[pos] == '\r') ++pos;
  if (pos < text.size() && text[pos] == '\n') ++pos;
  return line;
}

std::size_t WordEnd(std::string_view text, std::size_t from) {
  const std::size_t space = text.find(' ', from);
  return space == std::string_view::npos ? text.size() : space;
}

// Appends the line wrapped at spaces to the width. Each piece is measured once: a line's
// width is the sum of its words with the spaces before them.
void Wrap(std::string_view line, int width, const TTextMeasure& measure,
          std::vector<std::string_view>& lines) {
  const std::size_t before = lines.size();
  std::size_t start = line.find_first_not_of(' ');
  while (start != std::string_view::npos) {
    const std::string_view rest = line.substr(start);
    std::size_t end = WordEnd(rest, 0);
    int used = measure.TextWidth(rest.substr(0, end));
    for (std::size_t next = rest.find_first_not_of(' ', end); next != std::string_view::npos;
         next = rest.find_first_not_of(' ', end)) {
      const std::size_t nextEnd = WordEnd(rest, next);
      const int added = measure.TextWidth(rest.substr(end, nextEnd - end));
      if (used + added > width) break;
      used += added;
      end = nextEnd;
    }
    lines.push_back(rest.substr(0, end));
    const std::size_t after = line.find_first_not_of(' ', start + end);
    start = after;
  }
  if (lines.size() == before) lines.emplace_back();
}

int AlignedLeft(TCellAlignment alignment, int boxLeft, int boxWidth, int contentWidth) {
  switch (alignment) {
    case TCellAlignment::Right:
      return boxLeft + boxWidth - contentWidth;
    case TCellAlignment::Center:
      return boxLeft + (boxWidth - contentWidth) / 2;
    case TCellAlignment::Auto:
    case TCellAlignment::Left:
      break;
  }
  return boxLeft;
}

}  // namespace

TCellSize FittedPictureSize(TCellSize picture, int boxWidth, int boxHeight) {
  const int allowedHeight = std::min(boxHeight, kMaxRowHeight);
  if (boxWidth < 1 || allowedHeight < 1 || picture.Width < 1 || picture.Height < 1) return {};
  if (picture.Width <= boxWidth && picture.Height <= allowedHeight) return picture;
  TCellSize size;
  if (picture.Height >= picture.Width) {
    size.Height = allowedHeight;
    size.Width = Scaled(picture.Width, size.Height, picture.Height);
    if (size.Width > boxWidth) {
      size.Width = boxWidth;
      size.Height = Scaled(picture.Height, size.Width, picture.Width);
    }
  } else {
    size.Width = boxWidth;
    size.Height = Scaled(picture.Height, size.Width, picture.Width);
    if (size.Height > allowedHeight) {
      size.Height = allowedHeight;
      size.Width = Scaled(picture.Width, size.Height, picture.Height);
    }
  }
  return size;
}

std::vector<std::string_view> CellLines(std::string_view text, bool wordWrap, int width,
                                        const TTextMeasure& measure) {
  std::vector<std::string_view> lines;
  std::size_t pos = 0;
  do {
    const std::string_view line = NextLine(text, pos);
    if (wordWrap) {
      Wrap(line, width, measure, lines);
    } else {
      lines.push_back(line);
    }
  } while (pos < text.size());
  return lines;
}

TCellLayout LayOutCell(const TCellContent& content, TCellBox box, const TCellSpacing& spacing,
                       const TTextMeasure& measure) {
  TCellLayout layout;
  const bool picture = content.Picture.has_value();
  const bool framed = picture && !content.IsIcon;
  const int horz = framed ? spacing.Picture : spacing.Horz;
  const int vert = framed ? spacing.Picture : spacing.Vert;
  box.Left += horz;
  box.Width -= 2 * horz;
  box.Top += vert;
  if (box.Height != TCellBox::kUnbounded) box.Height -= 2 * vert;

  TCellAlignment alignment = content.Alignment;
  if (alignment == TCellAlignment::Auto) {
    alignment = picture            ? TCellAlignment::Center
                : content.IsNumber ? TCellAlignment::Right
                                   : TCellAlignment::Left;
  }
  if (picture) {
    const TCellSize size = FittedPictureSize(*content.Picture, box.Width, box.Height);
    layout.ContentWidth = size.Width;
    layout.ContentHeight = size.Height;
    layout.ContentTop =
        box.Height == TCellBox::kUnbounded ? box.Top : box.Top + (box.Height - size.Height) / 2;
  } else if (!content.Text.empty()) {
    layout.Lines = CellLines(content.Text, content.WordWrap, box.Width, measure);
    for (const std::string_view line : layout.Lines) {
      layout.ContentWidth = std::max(layout.ContentWidth, measure.TextWidth(line));
    }
    layout.ContentHeight = static_cast<int>(layout.Lines.size()) * measure.LineHeight();
    layout.ContentTop = box.Top;
  } else {
    layout.ContentTop = box.Top;
  }
  layout.ContentLeft = AlignedLeft(alignment, box.Left, box.Width, layout.ContentWidth);
  layout.Need = layout.ContentHeight + 2 * vert;
  return layout;
}

int RowHeight(int lineHeight, std::span<const int> needs, bool horzLines) {
  int height = lineHeight;
  for (const int need : needs) height = std::max(height, need);
  return std::min(height, kMaxRowHeight) + (horzLines ? 1 : 0);
}

}  // namespace mervanta
