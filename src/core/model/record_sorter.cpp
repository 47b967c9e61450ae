#include "model/record_sorter.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "model/cell_column.h"
#include "model/record.h"
#include "model/safe_sort.h"
#include "support/date_time.h"
#include "support/numbers.h"

namespace mervanta {

namespace {

// What a cell's text is to CompareValuesForSort. Empty texts come first, numbers next, the
// other texts last; one of those may also read as a date, a time of day or both.
enum TKind : std::uint32_t { kEmpty, kNumber, kText, kDate, kTime, kDateAndTime };
constexpr std::uint32_t kKindBits = 3;
constexpr std::uint32_t kKindMask = (1u << kKindBits) - 1;

std::uint32_t Rank(TKind kind) {
  return std::min<std::uint32_t>(kind, kText);
}
bool IsDate(TKind kind) {
  return kind == kDate || kind == kDateAndTime;
}
bool IsTime(TKind kind) {
  return kind == kTime || kind == kDateAndTime;
}

// One record's cell in the key column being sorted by, read and classified once. Kept small:
// the sort moves these around, not the records.
struct TSortKey {
  union {
    TNumber Number;
    TDateTime Moment[2];  // as a date, as a time of day
  };
  const char* Text;
  std::uint32_t Length;
  // The record's position before the sort (lists hold fewer than 2^29 records), then the kind.
  std::uint32_t Slot;

  TKind Kind() const { return static_cast<TKind>(Slot & kKindMask); }
  std::uint32_t Position() const { return Slot >> kKindBits; }
  std::string_view View() const { return {Text, Length}; }
};

// Reads the text into the key's value as CompareValuesForSort would read it.
TKind ReadValue(std::string_view text, TSortKey& key) {
  if (text.empty()) return kEmpty;
  if (TryReadNumber(text, key.Number)) return kNumber;
  TDateTime date = 0, time = 0;
  const bool isDate = TryStrToDate(text, date);
  const bool isTime = TryStrToTime(text, time);
  key.Moment[0] = date;
  key.Moment[1] = time;
  return isDate ? (isTime ? kDateAndTime : kDate) : (isTime ? kTime : kText);
}

void Classify(TSortKey& key, std::string_view text) {
  key.Text = text.data();
  key.Length = static_cast<std::uint32_t>(text.size());
  key.Slot = (key.Slot & ~kKindMask) | ReadValue(text, key);
}

bool TextLess(const TSortKey& a, const TSortKey& b) {
  return a.View() < b.View();
}

template <class TValue>
int CompareOrdered(TValue x, TValue y, const TSortKey& a, const TSortKey& b) {
  if (x > y) return 1;
  if (!(x < y)) return a.View().compare(b.View());
  return -1;
}

// Whether the texts are the same, looking at their bytes only when nothing else tells: the
// bytes lie scattered over the records.
bool SameText(const TSortKey& a, const TSortKey& b) {
  if (a.Length != b.Length || a.Kind() != b.Kind()) return false;
  if (a.Kind() == kNumber && (a.Number < b.Number || b.Number < a.Number)) return false;
  if (IsDate(a.Kind()) && a.Moment[0] != b.Moment[0]) return false;
  return a.View() == b.View();
}

// CompareValuesForSort of the two texts, from what Classify found in them.
int CompareKeys(const TSortKey& a, const TSortKey& b) {
  const TKind kindA = a.Kind(), kindB = b.Kind();
  if (Rank(kindA) != Rank(kindB)) return Rank(kindA) < Rank(kindB) ? -1 : 1;
  if (kindA == kEmpty) return 0;
  if (kindA == kNumber) return CompareOrdered(a.Number, b.Number, a, b);
  if (IsDate(kindA) && IsDate(kindB)) return CompareOrdered(a.Moment[0], b.Moment[0], a, b);
  if (IsTime(kindA) && IsTime(kindB)) return CompareOrdered(a.Moment[1], b.Moment[1], a, b);
  return a.View().compare(b.View());
}

void SortSafelyByKeys(std::span<TSortKey> keys) {
  SortSafely(keys, [](const TSortKey& a, const TSortKey& b) { return CompareKeys(a, b) < 0; });
}

// The moment (date or time of day) first, the bytes of the text for equal moments.
void SortByMoment(std::span<TSortKey> keys, int which) {
  std::sort(keys.begin(), keys.end(), [which](const TSortKey& a, const TSortKey& b) {
    const TDateTime x = a.Moment[which], y = b.Moment[which];
    return x < y || (!(y < x) && TextLess(a, b));
  });
}

// Unsigned bits in the order of the numbers: the sign flips the rest. Numbers are finite
// (TryReadNumber refuses the others), and zero has one sign here.
std::uint64_t OrderedBits(TNumber number) {
  const auto bits = std::bit_cast<std::uint64_t>(static_cast<double>(number) + 0.0);
  return bits >> 63 != 0 ? ~bits : bits | std::uint64_t{1} << 63;
}

bool NumberLess(const TSortKey& a, const TSortKey& b) {
  return a.Number < b.Number || (!(b.Number < a.Number) && TextLess(a, b));
}

// Texts order consistently when all are dates, or none is a date and all are times, or none
// is either; a mix can form cycles and goes to the safe sort.
void SortTexts(std::span<TSortKey> keys) {
  bool allDates = true, anyDate = false, allTimes = true, anyTime = false;
  for (const TSortKey& key : keys) {
    const bool isDate = IsDate(key.Kind()), isTime = IsTime(key.Kind());
    allDates = allDates && isDate;
    anyDate = anyDate || isDate;
    allTimes = allTimes && isTime;
    anyTime = anyTime || isTime;
  }
  if (allDates) {
    SortByMoment(keys, 0);
  } else if (!anyDate && allTimes) {
    SortByMoment(keys, 1);
  } else if (!anyDate && !anyTime) {
    std::sort(keys.begin(), keys.end(), TextLess);
  } else {
    SortSafelyByKeys(keys);
  }
}

class TRecordSorter {
 public:
  TRecordSorter(std::span<TRecord*> records, std::span<const TCellColumn* const> columns)
      : Records_(records), Columns_(columns), Keys_(records.size()), Texts_(columns.size()) {
    for (std::size_t i = 0; i < Keys_.size(); ++i) {
      Keys_[i].Slot = static_cast<std::uint32_t>(i) << kKindBits;
    }
  }

  bool Sort(bool descending) {
    SortByColumn(Keys_, 0);
    const std::vector<TRecord*> before(Records_.begin(), Records_.end());
    bool changed = false;
    const std::size_t count = Keys_.size();
    for (std::size_t i = 0; i < count; ++i) {
      TRecord* record = before[Keys_[descending ? count - 1 - i : i].Position()];
      changed = changed || record != Records_[i];
      Records_[i] = record;
    }
    return changed;
  }

 private:
  // Sorts by the key column `level`, then each run of equal texts by the next one; past the
  // last key column, by the records' addresses.
  void SortByColumn(std::span<TSortKey> keys, std::size_t level) {
    if (keys.size() < 2) return;
    if (level == Columns_.size()) {
      std::sort(keys.begin(), keys.end(), [this](const TSortKey& a, const TSortKey& b) {
        return std::less<const TRecord*>()(Records_[a.Position()], Records_[b.Position()]);
      });
      return;
    }
    ClassifyCells(keys, *Columns_[level], Texts_[level]);
    const auto numbers = std::partition(keys.begin(), keys.end(),
                                        [](const TSortKey& key) { return key.Kind() == kEmpty; });
    const auto texts = std::partition(numbers, keys.end(),
                                      [](const TSortKey& key) { return key.Kind() == kNumber; });
    SortNumbers({numbers, texts});
    SortTexts({texts, keys.end()});
    for (std::size_t start = 0; start < keys.size();) {
      std::size_t end = start + 1;
      while (end < keys.size() && SameText(keys[end], keys[start])) ++end;
      SortByColumn(keys.subspan(start, end - start), level + 1);
      start = end;
    }
  }

  // Numbers are sorted by the bits of their nearest doubles first, which never contradict
  // their order and take a radix sort; only numbers equal as doubles are compared in full.
  void SortNumbers(std::span<TSortKey> keys) {
    Order_.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) {
      Order_[i] = {OrderedBits(keys[i].Number), static_cast<std::uint32_t>(i)};
    }
    if (keys.size() < kRadixSortFrom) {
      std::sort(Order_.begin(), Order_.end(),
                [](const TOrder& a, const TOrder& b) { return a.Bits < b.Bits; });
    } else {
      RadixSort();
    }
    Sorted_.resize(keys.size());
    for (std::size_t i = 0; i < keys.size(); ++i) Sorted_[i] = keys[Order_[i].Key];
    for (std::size_t start = 0; start < keys.size();) {
      std::size_t end = start + 1;
      while (end < keys.size() && Order_[end].Bits == Order_[start].Bits) ++end;
      if (end - start > 1) std::sort(Sorted_.begin() + start, Sorted_.begin() + end, NumberLess);
      start = end;
    }
    std::copy(Sorted_.begin(), Sorted_.end(), keys.begin());
  }

  // Stable, sixteen bits at a time from the lowest; a digit that all share takes no pass.
  void RadixSort() {
    constexpr std::uint64_t kDigitMask = kBuckets - 1;
    Spare_.resize(Order_.size());
    Counts_.resize(kBuckets);
    for (unsigned shift = 0; shift < 64; shift += kDigitBits) {
      std::fill(Counts_.begin(), Counts_.end(), 0);
      for (const TOrder& item : Order_) ++Counts_[item.Bits >> shift & kDigitMask];
      if (Counts_[Order_.front().Bits >> shift & kDigitMask] == Order_.size()) continue;
      std::size_t next = 0;
      for (std::size_t& count : Counts_) next += std::exchange(count, next);
      for (const TOrder& item : Order_) Spare_[Counts_[item.Bits >> shift & kDigitMask]++] = item;
      Order_.swap(Spare_);
    }
  }

  // A stored cell is read where it lies; computed ones are gathered in `texts`, which must
  // stay put while the keys point into it.
  void ClassifyCells(std::span<TSortKey> keys, const TCellColumn& column, std::string& texts) {
    const int field = column.FieldIndex();
    if (field >= 0) {
      for (TSortKey& key : keys) Classify(key, Records_[key.Position()]->Fields().Field(field));
      return;
    }
    texts.clear();
    for (TSortKey& key : keys) {
      const std::string_view value = Records_[key.Position()]->Value(column, Buffer_);
      texts.append(value);
      key.Length = static_cast<std::uint32_t>(value.size());
    }
    const char* text = texts.data();
    for (TSortKey& key : keys) {
      Classify(key, {text, key.Length});
      text += key.Length;
    }
  }

  std::span<TRecord*> Records_;
  std::span<const TCellColumn* const> Columns_;
  std::vector<TSortKey> Keys_;
  std::vector<std::string> Texts_;  // computed texts, per key column
  std::string Buffer_;
  // Scratch of SortNumbers, kept for the next call.
  struct TOrder {
    std::uint64_t Bits;
    std::uint32_t Key;
  };
  static constexpr unsigned kDigitBits = 16;
  static constexpr std::size_t kBuckets = std::size_t{1} << kDigitBits;
  // Below this a radix sort's passes over its buckets cost more than they save.
  static constexpr std::size_t kRadixSortFrom = 4096;
  std::vector<TOrder> Order_, Spare_;
  std::vector<std::size_t> Counts_;
  std::vector<TSortKey> Sorted_;
};

}  // namespace

bool SortRecords(std::span<TRecord*> records, std::span<const TCellColumn* const> keys,
                 bool descending) {
  return TRecordSorter(records, keys).Sort(descending);
}

}  // namespace mervanta
