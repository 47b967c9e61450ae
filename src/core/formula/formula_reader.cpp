#include "formula/formula_reader.h"

#include <climits>

#include "formula/formula_error.h"

namespace mervanta {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsBlank(char c) {
  return c >= 1 && c <= 32;
}
bool IsCompare(char c) {
  return c == '<' || c == '=' || c == '>';
}

// After these a "+" or "-" joins two operands; anywhere else it is a sign.
bool EndsOperand(TFoTokenKind kind) {
  return kind == TFoTokenKind::String || kind == TFoTokenKind::Identifier ||
         kind == TFoTokenKind::Number || kind == TFoTokenKind::Close ||
         kind == TFoTokenKind::Column;
}

}  // namespace

std::string_view TFormulaReader::Text(int i) const {
  const TToken& token = Tokens_[static_cast<std::size_t>(i)];
  return std::string_view(Source_).substr(token.Start, token.Length);
}

void TFormulaReader::Add(std::size_t start, std::size_t end, TFoTokenKind kind) {
  Tokens_.push_back(
      {static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(end - start), kind, -1});
}

void TFormulaReader::Read(std::string_view text) {
  Tokens_.clear();
  // Token positions are 32-bit and indexes are int; no real formula comes near that.
  if (text.size() >= INT_MAX) throw EFormulaError(TFormulaErrorCode::Syntax);
  Source_.assign(text);
  std::vector<int> open;
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size) {
    const char c = text[i];
    const std::size_t start = i;
    if (IsBlank(c)) {
      while (i < size && IsBlank(text[i])) ++i;
    } else if (c == '"') {
      for (++i;; ++i) {
        if (i >= size) throw EFormulaError(TFormulaErrorCode::UnclosedString);
        if (text[i] != '"') continue;
        if (i + 1 < size && text[i + 1] == '"') {
          ++i;
        } else {
          break;
        }
      }
      Add(start, ++i, TFoTokenKind::String);
    } else if (c == '#') {
      for (++i; i < size && IsDigit(text[i]);) ++i;
      Add(start, i, TFoTokenKind::Column);
    } else if (c == '(') {
      open.push_back(Count());
      Add(start, ++i, TFoTokenKind::Open);
    } else if (c == ')') {
      if (open.empty()) throw EFormulaError(TFormulaErrorCode::UnmatchedClose);
      const int partner = open.back();
      open.pop_back();
      Tokens_[static_cast<std::size_t>(partner)].Partner = Count();
      Add(start, ++i, TFoTokenKind::Close);
      Tokens_.back().Partner = partner;
    } else if (c == '*' || c == '/') {
      Add(start, ++i, TFoTokenKind::MulOp);
    } else if (c == '+' || c == '-') {
      const bool binary = !Tokens_.empty() && EndsOperand(Tokens_.back().Kind);
      Add(start, ++i, binary ? TFoTokenKind::AddOp : TFoTokenKind::Sign);
    } else if (IsDigit(c)) {
      while (i < size && (IsDigit(text[i]) || text[i] == ',' || text[i] == '.')) ++i;
      Add(start, i, TFoTokenKind::Number);
    } else if (c == ';') {
      Add(start, ++i, TFoTokenKind::Separator);
    } else if (IsCompare(c)) {
      while (i < size && IsCompare(text[i])) ++i;
      Add(start, i, TFoTokenKind::Compare);
    } else if (IsLetter(c)) {
      while (i < size && (IsLetter(text[i]) || IsDigit(text[i]))) ++i;
      Add(start, i, TFoTokenKind::Identifier);
    } else {
      throw EFormulaError(TFormulaErrorCode::BadCharacter);
    }
  }
  if (!open.empty()) throw EFormulaError(TFormulaErrorCode::UnclosedBracket);
}

int TFormulaReader::FindToken(int first, int last, TFoScan scan, TFoTokenKind kind) const {
  const bool forward = scan == TFoScan::Forward;
  // `depth` counts the brackets opened (forward) or closed (backward) on the way. A group
  // that closes within the range is stepped over at once unless an unmatched bracket met
  // before it has taken the depth below 0, where that group's tokens lie at depth 0.
  const TFoTokenKind opening = forward ? TFoTokenKind::Open : TFoTokenKind::Close;
  const int step = forward ? 1 : -1;
  const auto inRange = [&](int i) { return forward ? i <= last : i >= first; };
  int depth = 0;
  for (int i = forward ? first : last; inRange(i); i += step) {
    const TFoTokenKind found = Kind(i);
    if (found == kind && depth == 0) return i;
    if (found == opening) {
      if (depth >= 0 && inRange(Partner(i))) {
        i = Partner(i);
      } else {
        ++depth;
      }
    } else if (found == TFoTokenKind::Open || found == TFoTokenKind::Close) {
      --depth;
    }
  }
  return -1;
}

void TFormulaReader::StripBrackets(int& first, int& last) const {
  while (first < last && Kind(first) == TFoTokenKind::Open && Partner(first) == last) {
    ++first;
    --last;
  }
}

}  // namespace mervanta
