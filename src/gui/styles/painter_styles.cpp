#include "styles/painter_styles.h"

#include <vector>

namespace mervanta {

void TPainterStyles::EditAdapt(const std::function<void(TPainterStyle&)>& edit) {
  edit(Adapt_);
  Changed();
}

void TPainterStyles::EditState(TStateStyleKind kind,
                               const std::function<void(TStateStyle&)>& edit) {
  edit(States_[static_cast<std::size_t>(kind)]);
  Changed();
}

void TPainterStyles::Changed() {
  Resolved_.clear();
  if (OnChange) OnChange();
}

const TPainterStyle& TPainterStyles::Resolve(int flags) const {
  if (const auto found = Resolved_.find(flags); found != Resolved_.end()) return found->second;
  // The states that apply, the weakest first.
  std::vector<TStateStyleKind> applying;
  const bool pressed = (flags & sfPressed) != 0;
  const bool hot = (flags & sfHot) != 0;
  const bool checked = (flags & sfChecked) != 0;
  if ((flags & sfDisabled) != 0) {
    if (checked) applying.push_back(TStateStyleKind::Checked);
    applying.push_back(TStateStyleKind::Disabled);
  } else {
    if (checked && (!hot || pressed)) applying.push_back(TStateStyleKind::Checked);
    if ((flags & sfFocused) != 0) applying.push_back(TStateStyleKind::Focused);
    if (hot) {
      applying.push_back(pressed   ? TStateStyleKind::Pressed
                         : checked ? TStateStyleKind::CheckedHot
                                   : TStateStyleKind::Hot);
    }
  }
  TStyleValues taken;
  TPainterStyle result = Adapt_;
  bool contributed = false;
  for (auto kind = applying.rbegin(); kind != applying.rend(); ++kind) {
    const TStateStyle& state = State(*kind);
    const TStyleValues adds = state.Assigned() & ~taken;
    if (adds.none()) continue;
    contributed = true;
    for (int value = 0; value < kStyleValueCount; ++value) {
      if (adds.test(static_cast<std::size_t>(value))) {
        result.Take(state.Values(), static_cast<TStyleValue>(value));
      }
    }
    taken |= adds;
  }
  if (!contributed) return Adapt_;
  return Resolved_.emplace(flags, result).first->second;
}

}  // namespace mervanta
