#include "views/head_layout.h"

#include <algorithm>
#include <limits>

#include "model/columns.h"
#include "support/trim.h"

namespace mervanta {

namespace {

// The margin a caption keeps inside its button, measured over both sides.
constexpr int kCaptionMargin = 7;
constexpr int kButtonMargin = 6;

std::string ButtonCaption(std::string_view text) {
  const std::string_view trimmed = Trimmed(text);
  return trimmed.empty() ? std::string(" ") : std::string(trimmed);
}

// The group a caption opens: the text before its first colon, when that colon is neither
// its first nor its last character.
std::size_t GroupEnd(std::string_view caption) {
  const std::size_t colon = caption.find(':');
  return colon != std::string_view::npos && colon > 0 && colon + 1 < caption.size()
             ? colon
             : std::string_view::npos;
}

// The group button under `parent` that a caption naming `group` continues, or -1.
int ContinuedGroup(const std::vector<THeadButton>& buttons, int parent, std::string_view group) {
  for (int i = static_cast<int>(buttons.size()) - 1; i > parent; --i) {
    const THeadButton& button = buttons[static_cast<std::size_t>(i)];
    if (button.Parent != parent) continue;
    return button.Column == nullptr && button.Caption == group ? i : -1;
  }
  return -1;
}

}  // namespace

std::vector<THeadButton> HeadButtons(const TColumns& columns, bool grouped) {
  std::vector<THeadButton> buttons;
  for (const auto& column : columns) {
    if (!column->Visible->Value()) continue;
    std::string_view caption = Trimmed(column->Caption->Value());
    int parent = -1;
    for (std::size_t end = grouped ? GroupEnd(caption) : std::string_view::npos;
         end != std::string_view::npos; end = GroupEnd(caption)) {
      const std::string group = ButtonCaption(caption.substr(0, end));
      int index = ContinuedGroup(buttons, parent, group);
      if (index < 0) {
        buttons.push_back({.Parent = parent, .Caption = group});
        index = static_cast<int>(buttons.size()) - 1;
      }
      parent = index;
      caption = Trimmed(caption.substr(end + 1));
    }
    buttons.push_back(
        {.Parent = parent, .Caption = ButtonCaption(caption), .Column = column.get()});
  }
  return buttons;
}

int PlaceHeadButtons(std::span<THeadButton> buttons, const TWrapMeasure& measure, bool wordWrap) {
  int x = 0;
  for (THeadButton& button : buttons) {
    if (button.Column == nullptr) {
      // Every group has a child, which widens it from nothing.
      button.Left = std::numeric_limits<int>::max();
      button.Right = std::numeric_limits<int>::min();
      continue;
    }
    button.Left = x;
    x += button.Column->Width->Value();
    button.Right = x;
  }
  // Children come after their groups, so walking backwards sizes a group, nested ones
  // first, before its own parent takes its extent.
  for (auto button = buttons.rbegin(); button != buttons.rend(); ++button) {
    if (button->Parent < 0) continue;
    THeadButton& parent = buttons[static_cast<std::size_t>(button->Parent)];
    parent.Left = std::min(parent.Left, button->Left);
    parent.Right = std::max(parent.Right, button->Right);
  }
  // A font taller than the caps still shows one whole line.
  const int lineHeight = measure.LineHeight();
  const int maxText = std::max(kMaxHeadTextHeight, lineHeight);
  int height = lineHeight + kButtonMargin;
  for (THeadButton& button : buttons) {
    button.Top = button.Parent < 0 ? 0 : buttons[static_cast<std::size_t>(button.Parent)].Bottom;
    const int text = measure.WrappedHeight(
        button.Caption, std::max(button.Right - button.Left - kCaptionMargin, 0), wordWrap);
    button.Bottom = button.Top + std::clamp(text, lineHeight, maxText) + kButtonMargin +
                    (button.Column == nullptr ? 1 : 0);
    height = std::max(height, button.Bottom);
  }
  height = std::min(height, std::max(kMaxHeadHeight, lineHeight + kButtonMargin));
  for (THeadButton& button : buttons) {
    if (button.Column != nullptr) button.Bottom = height;
  }
  return height;
}

int HeadResizeZoneAt(std::span<const THeadButton> buttons, int x, int y) {
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    const THeadButton& button = buttons[i];
    if (button.Column == nullptr || y >= button.Bottom) continue;
    if (x < button.Right - kHeadResizeReach || x >= button.Right + kHeadResizeReach) continue;
    int top = button.Top;
    for (int parent = button.Parent;
         parent >= 0 && buttons[static_cast<std::size_t>(parent)].Right == button.Right;
         parent = buttons[static_cast<std::size_t>(parent)].Parent) {
      top = buttons[static_cast<std::size_t>(parent)].Top;
    }
    if (y >= top) return static_cast<int>(i);
  }
  return -1;
}

int HeadButtonAt(std::span<const THeadButton> buttons, int x, int y) {
  const auto found = std::ranges::find_if(buttons, [x, y](const THeadButton& button) {
    return x >= button.Left && x < button.Right && y >= button.Top && y < button.Bottom;
  });
  return found == buttons.end() ? -1 : static_cast<int>(found - buttons.begin());
}

}  // namespace mervanta
