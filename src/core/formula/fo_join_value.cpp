#include "formula/fo_join_value.h"

namespace mervanta {

std::string_view TFoJoinValue::GetText() {
  std::string& text = Buffer();
  text.clear();
  AppendText(text);
  return text;
}

void TFoJoinValue::AppendText(std::string& text) {
  const std::size_t start = text.size();
  Pieces_.front()->AppendText(text);
  for (std::size_t i = 1; i < Pieces_.size(); ++i) {
    Pieces_[i]->AppendText(text);
    if (text.size() - start > kMaxTextLength) text.resize(start + kMaxTextLength);
    // Each join of the run counts its whole text, as it would nested.
    TTextBudget::Spend(text.size() - start);
  }
}

}  // namespace mervanta
