#include "model/record_sorter.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
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

void SortNumbers(std::span<TSortKey> keys) {
  if (std::any_of(keys.begin(), keys.end(),
                  [](const TSortKey& key) { return std::isnan(key.Number); })) {
    SortSafelyByKeys(keys);
    return;
  }
  std::sort(keys.begin(), keys.end(), [](const TSortKey& a, const TSortKey& b) {
    return a.Number < b.Number || (!(b.Number < a.Number) && TextLess(a, b));
  });
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
      while (end < keys.size() && keys[end].View() == keys[start].View()) ++end;
      SortByColumn(keys.subspan(start, end - start), level + 1);
      start = end;
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
};

}  // namespace

bool SortRecords(std::span<TRecord*> records, std::span<const TCellColumn* const> keys,
                 bool descending) {
  return TRecordSorter(records, keys).Sort(descending);
}

}  // namespace mervanta
