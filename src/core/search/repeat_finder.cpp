#include "search/repeat_finder.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

#include "model/column.h"
#include "model/compare_values.h"
#include "model/record.h"
#include "model/value_reader.h"
#include "support/hashing.h"
#include "support/progress.h"

namespace mervanta {

namespace {

// Eight bytes with a..z turned into A..Z; every other byte stays, as TextEquals folds.
std::uint64_t FoldLatin(std::uint64_t word) {
  constexpr std::uint64_t kLow7 = 0x7F7F7F7F7F7F7F7Full;
  constexpr std::uint64_t kHigh = 0x8080808080808080ull;
  const std::uint64_t low = word & kLow7;
  const std::uint64_t fromA = low + 0x1F1F1F1F1F1F1F1Full;     // high bit set from 'a' on
  const std::uint64_t pastZ = low + 0x0505050505050505ull;     // high bit set past 'z'
  const std::uint64_t lower = fromA & ~pastZ & ~word & kHigh;  // and not above 127
  return word ^ (lower >> 2);
}

// The hash of a record's cells so far, with one more cell. Equal cells (by TextEquals, apart
// from the empty rule) add alike.
std::uint64_t AddCell(std::uint64_t hash, std::string_view cell, bool fold) {
  return fold ? MixText(hash, cell, FoldLatin) : MixText(hash, cell);
}

std::uint32_t KeyOf(std::uint64_t hash) {
  return static_cast<std::uint32_t>(FinishHash(hash) >> 32);
}

}  // namespace

TRepeatFinder::TRepeatFinder(std::span<TColumn* const> columns, bool anyField, bool ignoreCase,
                             bool ignoreEmpty)
    : Columns_(columns), AnyField_(anyField), IgnoreCase_(ignoreCase), IgnoreEmpty_(ignoreEmpty) {}

std::size_t TRepeatFinder::GroupCount() const {
  return AnyField_ ? Columns_.size() : 1;
}

std::span<TColumn* const> TRepeatFinder::GroupColumns(std::size_t group) const {
  return AnyField_ ? Columns_.subspan(group, 1) : Columns_;
}

std::vector<std::uint8_t> TRepeatFinder::Find(std::span<TRecord* const> records) {
  std::vector<std::uint8_t> flags(records.size());
  Ticks_ = 0;
  for (std::size_t group = 0; group < GroupCount(); ++group) {
    TValueReader values(GroupColumns(group));
    KeyRecords(records, values);
    SortKeys();
    FindRuns(records.size());
    CheckRuns(records, values);
    for (const TRun& run : Runs_) {
      const std::span<TKeyed> members =
          std::span<TKeyed>(Keys_).subspan(run.Begin, run.End - run.Begin);
      if (run.Mixed) {
        SplitRun(records, values, members, flags);
      } else {
        MarkSet(members, flags);
      }
    }
  }
  Keys_ = {};
  Scratch_ = {};
  Runs_ = {};
  RunOf_ = {};
  Kept_ = {};
  return flags;
}

void TRepeatFinder::KeyRecords(std::span<TRecord* const> records, TValueReader& values) {
  Keys_.clear();
  Keys_.reserve(records.size());
  for (std::size_t i = 0; i < records.size(); ++i) {
    Tick();
    std::uint64_t hash = 0;
    const bool keyed = values.ForEachValue(*records[i], [&](std::size_t, std::string_view cell) {
      if (cell.empty() && IgnoreEmpty_) return false;
      hash = AddCell(hash, cell, IgnoreCase_);
      return true;
    });
    if (keyed) Keys_.push_back({KeyOf(hash), static_cast<std::uint32_t>(i)});
  }
}

void TRepeatFinder::SortKeys() {
  constexpr int kDigitBits = 11;
  constexpr std::uint32_t kDigitMask = (1u << kDigitBits) - 1;
  constexpr int kDigits = 3;
  std::array<std::array<std::uint32_t, kDigitMask + 1>, kDigits> counts{};
  for (const TKeyed& keyed : Keys_) {
    for (int digit = 0; digit < kDigits; ++digit) {
      ++counts[digit][(keyed.Key >> (digit * kDigitBits)) & kDigitMask];
    }
  }
  Scratch_.resize(Keys_.size());
  for (int digit = 0; digit < kDigits; ++digit) {
    std::uint32_t start = 0;
    for (std::uint32_t& count : counts[digit]) start += std::exchange(count, start);
    for (const TKeyed& keyed : Keys_) {
      Scratch_[counts[digit][(keyed.Key >> (digit * kDigitBits)) & kDigitMask]++] = keyed;
    }
    Keys_.swap(Scratch_);
  }
}

void TRepeatFinder::FindRuns(std::size_t recordCount) {
  Runs_.clear();
  RunOf_.assign(recordCount, kNoRun);
  for (std::size_t begin = 0; begin < Keys_.size();) {
    std::size_t end = begin + 1;
    while (end < Keys_.size() && Keys_[end].Key == Keys_[begin].Key) ++end;
    if (end - begin >= 2) {
      for (std::size_t at = begin; at < end; ++at) {
        RunOf_[Keys_[at].Index] = static_cast<std::uint32_t>(Runs_.size());
      }
      Runs_.push_back(
          {static_cast<std::uint32_t>(begin), static_cast<std::uint32_t>(end), kNotKept, false});
    }
    begin = end;
  }
}

void TRepeatFinder::CheckRuns(std::span<TRecord* const> records, TValueReader& values) {
  Kept_.clear();
  for (std::size_t i = 0; i < records.size(); ++i) {
    if (RunOf_[i] == kNoRun) continue;
    TRun& run = Runs_[RunOf_[i]];
    if (run.Mixed) continue;
    if (run.Cells == kNotKept) {
      run.Cells = Kept_.size();
      KeepCells(*records[i], values);
    } else if (!EqualsKept(*records[i], values, run.Cells)) {
      run.Mixed = true;
    }
  }
}

void TRepeatFinder::KeepCells(const TRecord& record, TValueReader& values) {
  values.ForEachValue(record, [this](std::size_t, std::string_view cell) {
    const auto length = static_cast<std::uint32_t>(cell.size());
    Kept_.append(reinterpret_cast<const char*>(&length), sizeof length);
    Kept_.append(cell);
  });
}

bool TRepeatFinder::EqualsKept(const TRecord& record, TValueReader& values, std::size_t at) {
  return values.ForEachValue(record, [&](std::size_t, std::string_view cell) {
    std::uint32_t length;
    std::memcpy(&length, Kept_.data() + at, sizeof length);
    at += sizeof length;
    const std::string_view kept(Kept_.data() + at, length);
    at += length;
    return TextEquals(cell, kept, {.IgnoreEmpty = IgnoreEmpty_, .IgnoreCase = IgnoreCase_});
  });
}

void TRepeatFinder::SplitRun(std::span<TRecord* const> records, TValueReader& values,
                             std::span<TKeyed> run, std::vector<std::uint8_t>& flags) {
  while (run.size() >= 2) {
    Kept_.clear();
    KeepCells(*records[run.front().Index], values);
    const auto rest = std::stable_partition(run.begin() + 1, run.end(), [&](const TKeyed& keyed) {
      return EqualsKept(*records[keyed.Index], values, 0);
    });
    MarkSet(std::span<const TKeyed>(run.begin(), rest), flags);
    run = std::span<TKeyed>(rest, run.end());
  }
}

void TRepeatFinder::MarkSet(std::span<const TKeyed> set, std::vector<std::uint8_t>& flags) {
  if (set.size() < 2) return;
  flags[set.front().Index] |= kRepeatsLater;
  for (const TKeyed& keyed : set.subspan(1, set.size() - 2)) {
    flags[keyed.Index] |= kRepeatsEarlier | kRepeatsLater;
  }
  flags[set.back().Index] |= kRepeatsEarlier;
}

std::uint32_t TRepeatFinder::CellKey(std::string_view cell, bool ignoreCase) {
  return KeyOf(AddCell(0, cell, ignoreCase));
}

void TRepeatFinder::Tick() {
  if (++Ticks_ < GroupCount()) return;
  Ticks_ = 0;
  TProgress::Step();
}

}  // namespace mervanta
