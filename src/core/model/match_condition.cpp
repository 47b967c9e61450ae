#include "model/match_condition.h"

#include <string.h>

#include <algorithm>

#include "model/compare_values.h"
#include "model/mask_matcher.h"
#include "support/locale.h"

namespace mervanta {

namespace {

std::optional<std::size_t> Find(std::string_view value, std::string_view pattern) {
  if (pattern.size() > value.size()) return std::nullopt;
  const void* found = ::memmem(value.data(), value.size(), pattern.data(), pattern.size());
  if (found == nullptr) return std::nullopt;
  return static_cast<std::size_t>(static_cast<const char*>(found) - value.data());
}

TMatchRange RangeOf(std::size_t start, std::size_t length) {
  return {static_cast<int>(start + 1), static_cast<int>(start + length)};
}

}  // namespace

TConditionMatcher::TConditionMatcher(TConditionKind kind, std::string_view pattern,
                                     TCaseRule caseRule, int length)
    : Upper_(TLocale::Current().Ansi().UpperTable()),
      Kind_(kind),
      Pattern_(pattern),
      CaseSensitive_(caseRule == TCaseRule::Sensitive),
      Length_(length) {
  // The mask does its own upper-casing, whatever the case flag says.
  if (!CaseSensitive_ && Kind_ != TConditionKind::MatchMask) {
    for (char& c : Pattern_) c = static_cast<char>(Upper_[static_cast<unsigned char>(c)]);
  }
}

TConditionMatcher::~TConditionMatcher() = default;

std::string_view TConditionMatcher::Prepared(std::string_view value) {
  if (CaseSensitive_) return value;
  Buffer_.resize(value.size());
  std::transform(value.begin(), value.end(), Buffer_.begin(), [this](char c) {
    return static_cast<char>(Upper_[static_cast<unsigned char>(c)]);
  });
  return Buffer_;
}

bool TConditionMatcher::Matches(std::string_view value) {
  const auto length = static_cast<long long>(value.size());
  switch (Kind_) {
    case TConditionKind::SameLength:
      return Length_ == length;
    case TConditionKind::LongerThan:
      return Length_ < length;
    case TConditionKind::ShorterThan:
      return Length_ > length;
    case TConditionKind::MatchMask:
      if (!Mask_) Mask_ = std::make_unique<TMaskMatcher>(Pattern_);
      return Mask_->Matches(value);
    default:
      break;
  }
  if (Kind_ < TConditionKind::Contain || Kind_ > TConditionKind::ShorterThan) return false;

  const std::string_view v = Prepared(value);
  const std::string_view p = Pattern_;
  switch (Kind_) {
    case TConditionKind::Contain:
      return p.empty() || Find(v, p).has_value();
    case TConditionKind::Equal:
      return v == p;
    case TConditionKind::NotContain:
      return p.empty() || !Find(v, p).has_value();
    case TConditionKind::NotEqual:
      return v != p;
    case TConditionKind::BeginWith:
      return v.starts_with(p);
    case TConditionKind::EndWith:
      return v.ends_with(p);
    case TConditionKind::NotBeginWith:
      return !v.starts_with(p);
    case TConditionKind::NotEndWith:
      return !v.ends_with(p);
    case TConditionKind::LessOrEqual:
      return CompareValues(p, v) >= 0;
    default:
      return CompareValues(v, p) >= 0;  // TConditionKind::GreaterOrEqual
  }
}

std::optional<TMatchRange> TConditionMatcher::MatchRange(std::string_view value) {
  if (Pattern_.empty()) return std::nullopt;
  if (Kind_ != TConditionKind::Contain && Kind_ != TConditionKind::Equal &&
      Kind_ != TConditionKind::BeginWith && Kind_ != TConditionKind::EndWith) {
    return std::nullopt;
  }
  const std::string_view v = Prepared(value);
  const std::string_view p = Pattern_;
  switch (Kind_) {
    case TConditionKind::Contain:
      if (std::optional<std::size_t> at = Find(v, p)) return RangeOf(*at, p.size());
      break;
    case TConditionKind::Equal:
    case TConditionKind::BeginWith:
      if (Kind_ == TConditionKind::Equal ? v == p : v.starts_with(p)) return RangeOf(0, p.size());
      break;
    default:  // TConditionKind::EndWith
      if (v.ends_with(p)) return RangeOf(v.size() - p.size(), p.size());
      break;
  }
  return std::nullopt;
}

bool MatchCondition(std::string_view value, TConditionKind kind, std::string_view pattern,
                    TCaseRule caseRule, int length) {
  return TConditionMatcher(kind, pattern, caseRule, length).Matches(value);
}

std::optional<TMatchRange> MatchRange(std::string_view value, TConditionKind kind,
                                      std::string_view pattern, TCaseRule caseRule) {
  return TConditionMatcher(kind, pattern, caseRule, 0).MatchRange(value);
}

}  // namespace mervanta
