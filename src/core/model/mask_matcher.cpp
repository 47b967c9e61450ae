#include "model/mask_matcher.h"

#include <string>
#include <utility>

#include "support/errors.h"
#include "support/locale.h"

namespace mervanta {

namespace {

[[noreturn]] void RaiseInvalidMask(std::string_view mask, std::size_t position) {
  throw EMervantaError("'" + std::string(mask) + "' is an invalid mask at (" +
                       std::to_string(position) + ")");
}

}  // namespace

TMaskMatcher::TMaskMatcher(std::string_view mask) : Fold_(TLocale::Current().Ansi().UpperTable()) {
  auto fold = [this](char c) { return Fold_[static_cast<unsigned char>(c)]; };
  for (std::size_t i = 0; i < mask.size(); ++i) {
    const char c = mask[i];
    if (c == '*') {
      if (Tokens_.empty() || Tokens_.back().Kind != tkAnyRun) Tokens_.push_back({tkAnyRun, 0, 0});
    } else if (c == '?') {
      Tokens_.push_back({tkAnyChar, 0, 0});
    } else if (c != '[') {
      Tokens_.push_back({tkChar, fold(c), 0});
    } else {
      const std::size_t open = i++;
      const bool negated = i < mask.size() && mask[i] == '!';
      if (negated) ++i;
      std::bitset<256> set;
      bool hasMembers = false;
      for (; i < mask.size() && mask[i] != ']'; ++i) {
        unsigned char low = fold(mask[i]);
        unsigned char high = low;
        if (i + 2 < mask.size() && mask[i + 1] == '-' && mask[i + 2] != ']') {
          high = fold(mask[i + 2]);
          i += 2;
        }
        if (low > high) std::swap(low, high);
        for (unsigned member = low; member <= high; ++member) set.set(member);
        hasMembers = true;
      }
      if (i == mask.size()) RaiseInvalidMask(mask, open + 1);
      if (!hasMembers) RaiseInvalidMask(mask, i + 1);
      if (negated) set.flip();
      Sets_.push_back(set);
      Tokens_.push_back({tkSet, 0, static_cast<std::uint32_t>(Sets_.size() - 1)});
    }
  }
}

bool TMaskMatcher::MatchesOne(const TToken& token, unsigned char folded) const {
  switch (token.Kind) {
    case tkChar:
      return token.Char == folded;
    case tkSet:
      return Sets_[token.Set].test(folded);
    default:
      return true;
  }
}

bool TMaskMatcher::Matches(std::string_view value) const {
  // Every token but "*" takes one character, so only the last "*" ever needs to take one
  // more character and retry: no deeper backtracking can find anything it misses.
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  const std::size_t tokenCount = Tokens_.size();
  std::size_t t = 0, v = 0, runToken = kNone, runStart = 0;
  while (v < value.size()) {
    if (t < tokenCount && Tokens_[t].Kind == tkAnyRun) {
      runToken = t++;
      runStart = v;
    } else if (t < tokenCount &&
               MatchesOne(Tokens_[t], Fold_[static_cast<unsigned char>(value[v])])) {
      ++t;
      ++v;
    } else if (runToken != kNone) {
      t = runToken + 1;
      v = ++runStart;
    } else {
      return false;
    }
  }
  while (t < tokenCount && Tokens_[t].Kind == tkAnyRun) ++t;
  return t == tokenCount;
}

}  // namespace mervanta
