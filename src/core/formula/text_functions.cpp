#include <algorithm>
#include <array>
#include <cstdint>

#include "formula/float_format.h"
#include "formula/fo_operations.h"
#include "support/locale.h"
#include "support/trim.h"

namespace mervanta {

namespace {

using TIndex = std::int64_t;

TIndex LengthOf(std::string_view text) {
  return static_cast<TIndex>(text.size());
}

// `count` characters from the 1-based `index`; an index below 1 counts as 1.
std::string_view CopyOf(std::string_view text, TIndex index, TIndex count) {
  index = std::max<TIndex>(index, 1);
  if (index > LengthOf(text) || count < 1) return {};
  return text.substr(static_cast<std::size_t>(index - 1),
                     static_cast<std::size_t>(std::min(count, LengthOf(text) - index + 1)));
}

// The line from `position` to the next CR, LF or CR LF, moving `position` past the break.
bool NextLine(std::string_view text, std::size_t& position, std::string_view& line) {
  if (position >= text.size()) return false;
  std::size_t end = text.find_first_of("\r\n", position);
  if (end == std::string_view::npos) end = text.size();
  line = text.substr(position, end - position);
  position = end;
  if (position < text.size() && text[position++] == '\r' && position < text.size() &&
      text[position] == '\n') {
    ++position;
  }
  return true;
}

std::string_view Str(TFoMethodValue& node) {
  return node.Arg(0).GetText();
}

TNumber Length(TFoMethodValue& node) {
  return static_cast<TNumber>(node.Arg(0).GetText().size());
}

using TByteTable = std::array<unsigned char, 256>;

const TByteTable& UpperTable() {
  return TLocale::Current().Ansi().UpperTable();
}

const TByteTable& LowerTable() {
  return TLocale::Current().Ansi().LowerTable();
}

constexpr std::size_t kMapBlock = 8;

// The argument's bytes mapped through the table, after the text.
template <const TByteTable& (*kTable)()>
void AppendMapped(TFoMethodValue& node, std::string& text) {
  const std::string_view source = node.Arg(0).GetText();
  const TByteTable& table = kTable();
  const std::size_t start = text.size();
  const std::size_t size = source.size();
  text.resize(start + size);
  char* mapped = text.data() + start;
  const auto map = [&](std::size_t i) {
    mapped[i] = static_cast<char>(table[static_cast<unsigned char>(source[i])]);
  };
  if (size < kMapBlock) {
    for (std::size_t i = 0; i < size; ++i) map(i);
    return;
  }
  // Whole blocks, the last one ending at the end and overlapping the one before: a loop of
  // few, fixed-size steps, whose end a processor foresees better than that of a byte loop.
  for (std::size_t block = 0;; block += kMapBlock) {
    if (block + kMapBlock > size) block = size - kMapBlock;
    for (std::size_t i = block; i < block + kMapBlock; ++i) map(i);
    if (block + kMapBlock == size) return;
  }
}

template <const TByteTable& (*kTable)()>
std::string_view Mapped(TFoMethodValue& node) {
  std::string& text = node.Buffer();
  text.clear();
  AppendMapped<kTable>(node, text);
  return text;
}

template <bool kLeft, bool kRight>
std::string_view Trim(TFoMethodValue& node) {
  std::string_view text = node.Arg(0).GetText();
  if (kLeft) text = TrimmedLeft(text);
  if (kRight) text = TrimmedRight(text);
  return text;
}

std::string_view Copy(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex index = node.Arg(1).GetInteger();
  return CopyOf(text, index, node.Arg(2).GetInteger());
}

std::string_view CopyLeft(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  return CopyOf(text, 1, node.Arg(1).GetInteger());
}

std::string_view CopyRight(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = node.Arg(1).GetInteger();
  if (count <= 0) return {};
  return text.substr(static_cast<std::size_t>(std::max<TIndex>(LengthOf(text) - count, 0)));
}

std::string_view Delete(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex index = node.Arg(1).GetInteger();
  const TIndex count = node.Arg(2).GetInteger();
  if (index < 1 || index > LengthOf(text) || count < 1) return text;
  const auto start = static_cast<std::size_t>(index - 1);
  const auto removed = static_cast<std::size_t>(std::min(count, LengthOf(text) - index + 1));
  std::string& result = node.Buffer();
  result.assign(text.substr(0, start));
  result.append(text.substr(start + removed));
  return result;
}

std::string_view DeleteLeft(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = std::clamp<TIndex>(node.Arg(1).GetInteger(), 0, LengthOf(text));
  return text.substr(static_cast<std::size_t>(count));
}

std::string_view DeleteRight(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = std::clamp<TIndex>(node.Arg(1).GetInteger(), 0, LengthOf(text));
  return text.substr(0, text.size() - static_cast<std::size_t>(count));
}

std::string_view Insert(TFoMethodValue& node) {
  const std::string_view inserted = node.Arg(0).GetText();
  const std::string_view text = node.Arg(1).GetText();
  const TIndex index = std::clamp<TIndex>(node.Arg(2).GetInteger(), 1, LengthOf(text) + 1);
  const auto at = static_cast<std::size_t>(index - 1);
  std::string& result = node.Buffer();
  result.clear();
  AppendBounded(result, text.substr(0, at));
  AppendBounded(result, inserted);
  AppendBounded(result, text.substr(at));
  return result;
}

// Grows by doubling, so even the longest result takes a few dozen copies.
std::string_view Repeat(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = node.Arg(1).GetInteger();
  std::string& result = node.Buffer();
  result.clear();
  if (count <= 0 || text.empty()) return result;
  const auto fits = static_cast<TIndex>(kMaxTextLength / text.size()) + 1;
  const std::size_t length =
      std::min(kMaxTextLength, text.size() * static_cast<std::size_t>(std::min(count, fits)));
  result.reserve(length);
  result.assign(text.substr(0, length));
  while (result.size() < length) {
    result.append(result.data(), std::min(result.size(), length - result.size()));
  }
  return result;
}

TNumber Pos(TFoMethodValue& node) {
  const std::string_view sub = node.Arg(0).GetText();
  const std::string_view text = node.Arg(1).GetText();
  const std::size_t at = sub.empty() ? std::string_view::npos : text.find(sub);
  return at == std::string_view::npos ? 0 : static_cast<TNumber>(at + 1);
}

std::string_view Reverse(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  std::string& result = node.Buffer();
  result.assign(text.rbegin(), text.rend());
  return result;
}

std::string_view Format(TFoMethodValue& node) {
  const std::string_view pattern = node.Arg(0).GetText();
  FormatFloat(pattern, node.Arg(1).GetNumber(), node.Buffer());
  return node.Buffer();
}

std::string_view Char(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  return CopyOf(text, node.Arg(1).GetInteger(), 1);
}

TNumber LineCount(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  std::size_t position = 0;
  std::string_view line;
  TNumber count = 0;
  while (NextLine(text, position, line)) ++count;
  return count;
}

std::string_view Line(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  TIndex wanted = node.Arg(1).GetInteger();
  std::size_t position = 0;
  std::string_view line;
  while (wanted >= 1 && NextLine(text, position, line)) {
    if (--wanted == 0) return line;
  }
  return {};
}

std::string_view Replace(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const std::string_view old = node.Arg(1).GetText();
  const std::string_view replacement = node.Arg(2).GetText();
  const std::size_t at = old.empty() ? std::string_view::npos : text.find(old);
  if (at == std::string_view::npos) return text;
  std::string& result = node.Buffer();
  result.clear();
  AppendBounded(result, text.substr(0, at));
  AppendBounded(result, replacement);
  AppendBounded(result, text.substr(at + old.size()));
  return result;
}

std::string_view ReplaceAll(TFoMethodValue& node) {
  const std::string_view text = node.Arg(0).GetText();
  const std::string_view old = node.Arg(1).GetText();
  const std::string_view replacement = node.Arg(2).GetText();
  if (old.empty()) return text;
  std::string& result = node.Buffer();
  result.clear();
  std::size_t from = 0;
  for (std::size_t at = text.find(old);
       at != std::string_view::npos && result.size() < kMaxTextLength; at = text.find(old, from)) {
    AppendBounded(result, text.substr(from, at - from));
    AppendBounded(result, replacement);
    from = at + old.size();
  }
  AppendBounded(result, text.substr(from));
  return result;
}

TNumber PosCount(TFoMethodValue& node) {
  const std::string_view sub = node.Arg(0).GetText();
  const std::string_view text = node.Arg(1).GetText();
  TNumber count = 0;
  if (!sub.empty()) {
    for (std::size_t at = text.find(sub); at != std::string_view::npos;
         at = text.find(sub, at + sub.size())) {
      ++count;
    }
  }
  return count;
}

}  // namespace

TFoCallMaker TextOperation(TFoMethodId id) {
  switch (id) {
    case TFoMethodId::Str:
      return MakeCall<TFoTextCall<Str>>;
    case TFoMethodId::Length:
      return MakeCall<TFoNumberCall<Length>>;
    case TFoMethodId::UpperCase:
      return MakeCall<TFoTextCall<Mapped<UpperTable>, AppendMapped<UpperTable>>>;
    case TFoMethodId::LowerCase:
      return MakeCall<TFoTextCall<Mapped<LowerTable>, AppendMapped<LowerTable>>>;
    case TFoMethodId::Trim:
      return MakeCall<TFoTextCall<Trim<true, true>>>;
    case TFoMethodId::TrimLeft:
      return MakeCall<TFoTextCall<Trim<true, false>>>;
    case TFoMethodId::TrimRight:
      return MakeCall<TFoTextCall<Trim<false, true>>>;
    case TFoMethodId::Copy:
      return MakeCall<TFoTextCall<Copy>>;
    case TFoMethodId::CopyLeft:
      return MakeCall<TFoTextCall<CopyLeft>>;
    case TFoMethodId::CopyRight:
      return MakeCall<TFoTextCall<CopyRight>>;
    case TFoMethodId::Delete:
      return MakeCall<TFoTextCall<Delete>>;
    case TFoMethodId::DeleteLeft:
      return MakeCall<TFoTextCall<DeleteLeft>>;
    case TFoMethodId::DeleteRight:
      return MakeCall<TFoTextCall<DeleteRight>>;
    case TFoMethodId::Insert:
      return MakeCall<TFoTextCall<Insert>>;
    case TFoMethodId::Repeat:
      return MakeCall<TFoTextCall<Repeat>>;
    case TFoMethodId::Pos:
      return MakeCall<TFoNumberCall<Pos>>;
    case TFoMethodId::Reverse:
      return MakeCall<TFoTextCall<Reverse>>;
    case TFoMethodId::Format:
      return MakeCall<TFoTextCall<Format>>;
    case TFoMethodId::Char:
      return MakeCall<TFoTextCall<Char>>;
    case TFoMethodId::LineCount:
      return MakeCall<TFoNumberCall<LineCount>>;
    case TFoMethodId::Line:
      return MakeCall<TFoTextCall<Line>>;
    case TFoMethodId::Replace:
      return MakeCall<TFoTextCall<Replace>>;
    case TFoMethodId::ReplaceAll:
      return MakeCall<TFoTextCall<ReplaceAll>>;
    case TFoMethodId::PosCount:
      return MakeCall<TFoNumberCall<PosCount>>;
    default:
      return nullptr;
  }
}

}  // namespace mervanta
