#include "framework/cell_text.h"

#include "support/code_page.h"
#include "support/locale.h"

namespace mervanta {

namespace {

bool IsValidUtf8(std::string_view text) {
  constexpr char32_t kReplacement = 0xFFFD;
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t start = pos;
    if (DecodeUtf8(text, pos) == kReplacement && pos - start == 1) return false;
  }
  return true;
}

}  // namespace

TCellText::TCellText(bool raw) : Raw_(raw) {
  const TCodePage& ansi = TLocale::Current().Ansi();
  std::string sequence;
  for (int byte = 0; byte < 256; ++byte) {
    sequence.clear();
    AppendUtf8(sequence, ansi.ToUnicode(static_cast<unsigned char>(byte)));
    sequence.copy(Utf8_[static_cast<std::size_t>(byte)].data(), sequence.size());
    Utf8Length_[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(sequence.size());
  }
}

void TCellText::AppendOutput(std::string& out, std::string_view ansi) const {
  if (Raw_) {
    out.append(ansi);
    return;
  }
  // Runs of plain ASCII, the bulk of most tables, go in one append.
  std::size_t runStart = 0;
  for (std::size_t i = 0; i < ansi.size(); ++i) {
    const auto byte = static_cast<unsigned char>(ansi[i]);
    if (byte < 0x80) continue;
    out.append(ansi.data() + runStart, i - runStart);
    out.append(Utf8_[byte].data(), Utf8Length_[byte]);
    runStart = i + 1;
  }
  out.append(ansi.data() + runStart, ansi.size() - runStart);
}

std::string TCellText::Output(std::string_view ansi) const {
  std::string out;
  AppendOutput(out, ansi);
  return out;
}

std::string TCellText::Input(std::string_view typed) const {
  return Raw_ ? std::string(typed) : Utf8ToAnsi(typed);
}

std::string TCellText::Message(std::string_view text) const {
  return Raw_ || IsValidUtf8(text) ? std::string(text) : Output(text);
}

}  // namespace mervanta
