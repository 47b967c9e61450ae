#pragma once

#include <array>
#include <functional>
#include <map>

#include "styles/painter_style.h"

namespace mervanta {

// The state of a control being painted, as bits.
enum TStateFlag : int { sfPressed = 1, sfHot = 2, sfChecked = 4, sfDisabled = 8, sfFocused = 16 };

enum class TStateStyleKind : std::uint8_t { Checked, CheckedHot, Disabled, Focused, Hot, Pressed };

// A base style and one partial style per state. The style for a control's state is the base
// with, on top, the values its states' styles assign; resolved styles are kept until any style
// changes.
class TPainterStyles {
 public:
  const TPainterStyle& Adapt() const { return Adapt_; }
  const TStateStyle& State(TStateStyleKind kind) const {
    return States_[static_cast<std::size_t>(kind)];
  }

  void EditAdapt(const std::function<void(TPainterStyle&)>& edit);
  void EditState(TStateStyleKind kind, const std::function<void(TStateStyle&)>& edit);
  // Called after every change, once the resolved styles are forgotten.
  std::function<void()> OnChange;

  const TPainterStyle& Resolve(int stateFlags) const;

 private:
  void Changed();

  TPainterStyle Adapt_;
  std::array<TStateStyle, 6> States_;
  mutable std::map<int, TPainterStyle> Resolved_;
};

}  // namespace mervanta
