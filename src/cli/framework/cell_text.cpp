#include "framework/cell_text.h"

#include <cstring>

#include "support/code_page.h"
#include "support/locale.h"

namespace mervanta {

namespace {

constexpr std::uint64_t kEveryByte = 0x0101010101010101;
constexpr std::uint64_t kHighBits = 0x8080808080808080;

// Whether any of eight bytes needs more than a copy: one above 0x7F, or a CR when those go.
bool NeedsWork(std::uint64_t bytes, bool dropCr) {
  std::uint64_t special = bytes & kHighBits;
  if (dropCr) {
    // A zero byte in the bytes' difference from CRs is a CR.
    const std::uint64_t cr = bytes ^ (kEveryByte * '\r');
    special |= (cr - kEveryByte) & ~cr & kHighBits;
  }
  return special != 0;
}

}  // namespace

TCellText::TCellText(TCellBytes bytes) : Raw_(bytes == TCellBytes::Raw) {
  const TCodePage& ansi = TLocale::Current().Ansi();
  std::string sequence;
  for (int byte = 0; byte < 256; ++byte) {
    sequence.clear();
    AppendUtf8(sequence, ansi.ToUnicode(static_cast<unsigned char>(byte)));
    sequence.copy(Utf8_[static_cast<std::size_t>(byte)].data(), sequence.size());
    Utf8Length_[static_cast<std::size_t>(byte)] = static_cast<std::uint8_t>(sequence.size());
  }
}

char* TCellText::CopyOutput(char* out, std::string_view ansi, TCarriageReturns returns) const {
  const bool dropCr = returns == TCarriageReturns::Drop;
  if (Raw_ && !dropCr) {
    std::memcpy(out, ansi.data(), ansi.size());
    return out + ansi.size();
  }
  // Runs of plain ASCII, the bulk of most tables, are passed eight bytes at a time and copied
  // in one go.
  const char* data = ansi.data();
  std::size_t runStart = 0;
  const auto copyRun = [&](std::size_t end) {
    std::memcpy(out, data + runStart, end - runStart);
    out += end - runStart;
  };
  for (std::size_t i = 0; i < ansi.size();) {
    if (i + sizeof(std::uint64_t) <= ansi.size()) {
      std::uint64_t bytes = 0;
      std::memcpy(&bytes, data + i, sizeof bytes);
      if (!NeedsWork(bytes, dropCr)) {
        i += sizeof bytes;
        continue;
      }
    }
    const auto byte = static_cast<unsigned char>(data[i]);
    if (byte == '\r' && dropCr) {
      copyRun(i);
      runStart = i + 1;
    } else if (byte >= 0x80 && !Raw_) {
      copyRun(i);
      std::memcpy(out, Utf8_[byte].data(), Utf8Length_[byte]);
      out += Utf8Length_[byte];
      runStart = i + 1;
    }
    ++i;
  }
  copyRun(ansi.size());
  return out;
}

void TCellText::AppendOutput(std::string& out, std::string_view ansi,
                             TCarriageReturns returns) const {
  const std::size_t start = out.size();
  out.resize(start + ansi.size() * kMaxOutputPerByte);
  out.resize(static_cast<std::size_t>(CopyOutput(out.data() + start, ansi, returns) - out.data()));
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
