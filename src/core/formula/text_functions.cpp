#include <algorithm>
#include <array>
#include <cstdint>

#include "formula/float_format.h"
#include "formula/fo_operations.h"
#include "support/locale.h"

namespace mervanta {

namespace {

using TIndex = std::int64_t;

TIndex LengthOf(std::string_view text) {
  return static_cast<TIndex>(text.size());
}

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 32;
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

void Str(TFoMethodValue& node, TFoVariable& value) {
  value.SetText(node.Arg(0).GetText());
}

void Length(TFoMethodValue& node, TFoVariable& value) {
  value.SetNumber(static_cast<TNumber>(node.Arg(0).GetText().size()));
}

void MapBytes(TFoMethodValue& node, TFoVariable& value,
              const std::array<unsigned char, 256>& table) {
  const std::string_view source = node.Arg(0).GetText();
  std::string& text = node.Buffer();
  text.resize(source.size());
  std::transform(source.begin(), source.end(), text.begin(), [&table](char c) {
    return static_cast<char>(table[static_cast<unsigned char>(c)]);
  });
  value.SetText(text);
}

void UpperCase(TFoMethodValue& node, TFoVariable& value) {
  MapBytes(node, value, TLocale::Current().Ansi().UpperTable());
}

void LowerCase(TFoMethodValue& node, TFoVariable& value) {
  MapBytes(node, value, TLocale::Current().Ansi().LowerTable());
}

template <bool kLeft, bool kRight>
void Trim(TFoMethodValue& node, TFoVariable& value) {
  std::string_view text = node.Arg(0).GetText();
  while (kLeft && !text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (kRight && !text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  value.SetText(text);
}

void Copy(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex index = node.Arg(1).GetInteger();
  value.SetText(CopyOf(text, index, node.Arg(2).GetInteger()));
}

void CopyLeft(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  value.SetText(CopyOf(text, 1, node.Arg(1).GetInteger()));
}

void CopyRight(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = node.Arg(1).GetInteger();
  if (count <= 0) {
    value.SetText({});
  } else {
    value.SetText(
        text.substr(static_cast<std::size_t>(std::max<TIndex>(LengthOf(text) - count, 0))));
  }
}

void Delete(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex index = node.Arg(1).GetInteger();
  const TIndex count = node.Arg(2).GetInteger();
  if (index < 1 || index > LengthOf(text) || count < 1) {
    value.SetText(text);
    return;
  }
  const auto start = static_cast<std::size_t>(index - 1);
  const auto removed = static_cast<std::size_t>(std::min(count, LengthOf(text) - index + 1));
  std::string& result = node.Buffer();
  result.assign(text.substr(0, start));
  result.append(text.substr(start + removed));
  value.SetText(result);
}

void DeleteLeft(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = std::clamp<TIndex>(node.Arg(1).GetInteger(), 0, LengthOf(text));
  value.SetText(text.substr(static_cast<std::size_t>(count)));
}

void DeleteRight(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const TIndex count = std::clamp<TIndex>(node.Arg(1).GetInteger(), 0, LengthOf(text));
  value.SetText(text.substr(0, text.size() - static_cast<std::size_t>(count)));
}

void Insert(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view inserted = node.Arg(0).GetText();
  const std::string_view text = node.Arg(1).GetText();
  const TIndex index = std::clamp<TIndex>(node.Arg(2).GetInteger(), 1, LengthOf(text) + 1);
  const auto at = static_cast<std::size_t>(index - 1);
  std::string& result = node.Buffer();
  result.clear();
  AppendBounded(result, text.substr(0, at));
  AppendBounded(result, inserted);
  AppendBounded(result, text.substr(at));
  value.SetText(result);
}

void Repeat(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  TIndex count = node.Arg(1).GetInteger();
  std::string& result = node.Buffer();
  result.clear();
  for (; count > 0 && !text.empty() && result.size() < kMaxTextLength; --count) {
    AppendBounded(result, text);
  }
  value.SetText(result);
}

void Pos(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view sub = node.Arg(0).GetText();
  const std::string_view text = node.Arg(1).GetText();
  const std::size_t at = sub.empty() ? std::string_view::npos : text.find(sub);
  value.SetNumber(at == std::string_view::npos ? 0 : static_cast<TNumber>(at + 1));
}

void Reverse(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  std::string& result = node.Buffer();
  result.assign(text.rbegin(), text.rend());
  value.SetText(result);
}

void Format(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view pattern = node.Arg(0).GetText();
  FormatFloat(pattern, node.Arg(1).GetNumber(), node.Buffer());
  value.SetText(node.Buffer());
}

void Char(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  value.SetText(CopyOf(text, node.Arg(1).GetInteger(), 1));
}

void LineCount(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  std::size_t position = 0;
  std::string_view line;
  TNumber count = 0;
  while (NextLine(text, position, line)) ++count;
  value.SetNumber(count);
}

void Line(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  TIndex wanted = node.Arg(1).GetInteger();
  std::size_t position = 0;
  std::string_view line;
  while (wanted >= 1 && NextLine(text, position, line)) {
    if (--wanted == 0) {
      value.SetText(line);
      return;
    }
  }
  value.SetText({});
}

void Replace(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const std::string_view old = node.Arg(1).GetText();
  const std::string_view replacement = node.Arg(2).GetText();
  const std::size_t at = old.empty() ? std::string_view::npos : text.find(old);
  if (at == std::string_view::npos) {
    value.SetText(text);
    return;
  }
  std::string& result = node.Buffer();
  result.clear();
  AppendBounded(result, text.substr(0, at));
  AppendBounded(result, replacement);
  AppendBounded(result, text.substr(at + old.size()));
  value.SetText(result);
}

void ReplaceAll(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view text = node.Arg(0).GetText();
  const std::string_view old = node.Arg(1).GetText();
  const std::string_view replacement = node.Arg(2).GetText();
  if (old.empty()) {
    value.SetText(text);
    return;
  }
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
  value.SetText(result);
}

void PosCount(TFoMethodValue& node, TFoVariable& value) {
  const std::string_view sub = node.Arg(0).GetText();
  const std::string_view text = node.Arg(1).GetText();
  TNumber count = 0;
  if (!sub.empty()) {
    for (std::size_t at = text.find(sub); at != std::string_view::npos;
         at = text.find(sub, at + sub.size())) {
      ++count;
    }
  }
  value.SetNumber(count);
}

}  // namespace

TFoOperation TextOperation(std::int32_t id) {
  switch (id) {
    case 12:
      return Str;
    case 16:
      return Length;
    case 20:
      return UpperCase;
    case 21:
      return LowerCase;
    case 22:
      return Trim<true, true>;
    case 23:
      return Trim<true, false>;
    case 24:
      return Trim<false, true>;
    case 25:
      return Copy;
    case 26:
      return CopyLeft;
    case 27:
      return CopyRight;
    case 28:
      return Delete;
    case 29:
      return DeleteLeft;
    case 30:
      return DeleteRight;
    case 31:
      return Insert;
    case 32:
      return Repeat;
    case 35:
      return Pos;
    case 45:
      return Reverse;
    case 46:
      return Format;
    case 47:
      return Char;
    case 48:
      return LineCount;
    case 49:
      return Line;
    case 50:
      return Replace;
    case 51:
      return ReplaceAll;
    case 52:
      return PosCount;
    default:
      return nullptr;
  }
}

}  // namespace mervanta
