#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace mervanta {

class TMaskMatcher;

// The search condition kinds, numbered as stored and in the order their names are offered.
enum class TConditionKind : int {
  Contain,
  Equal,
  NotContain,
  NotEqual,
  BeginWith,
  EndWith,
  NotBeginWith,
  NotEndWith,
  MatchMask,
  LessOrEqual,
  GreaterOrEqual,
  SameLength,
  LongerThan,
  ShorterThan,
};

inline constexpr std::array<std::string_view, 14> kConditionNames{"Contain",
                                                                  "Equal",
                                                                  "Not contain",
                                                                  "Not equal",
                                                                  "Begin with",
                                                                  "End with",
                                                                  "Not begin with",
                                                                  "Not end with",
                                                                  "Match mask",
                                                                  "<= number/date/time",
                                                                  ">= number/date/time",
                                                                  "Same length",
                                                                  "Longer than",
                                                                  "Shorter than"};

// The characters of a value that a condition matched, counted from 1.
struct TMatchRange {
  int First;
  int Last;
  bool operator==(const TMatchRange&) const = default;
};

// Whether letter case counts when a value is tested.
enum class TCaseRule : std::uint8_t { Ignore, Sensitive };

// One search condition prepared for testing many values: the pattern is upper-cased once,
// the mask compiled on first use, and values are upper-cased into a reused buffer, so
// testing a value allocates nothing once the buffer has grown.
class TConditionMatcher {
 public:
  // `kind` is a TConditionKind (any other number never matches); `length` serves the three
  // length kinds. Ignoring case, value and pattern compare upper-cased through the
  // locale; masks always do.
  TConditionMatcher(TConditionKind kind, std::string_view pattern, TCaseRule caseRule, int length);
  ~TConditionMatcher();

  // A malformed mask raises "'%s' is an invalid mask at (%d)" from here, so a condition that
  // is never tested never fails.
  bool Matches(std::string_view value);
  // The part to highlight: the first occurrence for "Contain", the whole value for "Equal",
  // the start for "Begin with", the end for "End with"; nothing for other kinds, an empty
  // pattern or no match.
  std::optional<TMatchRange> MatchRange(std::string_view value);

 private:
  // The value as the kinds other than the mask compare it.
  std::string_view Prepared(std::string_view value);

  std::array<unsigned char, 256> Upper_;
  TConditionKind Kind_;
  std::string Pattern_;
  bool CaseSensitive_;
  int Length_;
  std::string Buffer_;
  std::unique_ptr<TMaskMatcher> Mask_;
};

// Single tests for callers that have no prepared condition.
bool MatchCondition(std::string_view value, TConditionKind kind, std::string_view pattern,
                    TCaseRule caseRule, int length);
std::optional<TMatchRange> MatchRange(std::string_view value, TConditionKind kind,
                                      std::string_view pattern, TCaseRule caseRule);

}  // namespace mervanta
