#include "views/card_value_list.h"

#include <algorithm>
#include <array>
#include <unordered_set>

#include "model/columns.h"
#include "model/records.h"
#include "support/locale.h"
#include "support/progress.h"

namespace mervanta {

namespace {

using TUpperTable = std::array<unsigned char, 256>;

unsigned char Upper(const TUpperTable& upper, char c) {
  return upper[static_cast<unsigned char>(c)];
}

// Letter case as the code page knows it, byte by byte, without building upper-case copies.
struct TCaseLess {
  const TUpperTable& Table = TLocale::Current().Ansi().UpperTable();

  bool operator()(std::string_view a, std::string_view b) const {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [this](char x, char y) { return Upper(Table, x) < Upper(Table, y); });
  }
};

// The scan looks every line up by a hash of its upper-case bytes: a million lookups in a
// tree would compare each line several times.
struct TCaseHash {
  using is_transparent = void;
  const TUpperTable& Table = TLocale::Current().Ansi().UpperTable();

  std::size_t operator()(std::string_view text) const {
    std::size_t hash = 14695981039346656037u;
    for (const char c : text) hash = (hash ^ Upper(Table, c)) * 1099511628211u;
    return hash;
  }
};

struct TCaseEqual {
  using is_transparent = void;
  const TUpperTable& Table = TLocale::Current().Ansi().UpperTable();

  bool operator()(std::string_view a, std::string_view b) const {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [this](char x, char y) { return Upper(Table, x) == Upper(Table, y); });
  }
};

// Calls `use` with every non-empty line of the text.
template <class TUse>
void ForEachLine(std::string_view text, TUse use) {
  while (!text.empty()) {
    const std::size_t end = std::min(text.find_first_of("\r\n"), text.size());
    if (end > 0) use(text.substr(0, end));
    text.remove_prefix(std::min(end + 1, text.size()));
  }
}

}  // namespace

void TCardValueList::Fill(const TRecords& records, const TColumn& column) {
  if (Filled_) return;
  TBusyScope busy;
  // Lines are looked up as views of the cells: only new entries are copied, and the first
  // spelling met stays.
  std::unordered_set<std::string, TCaseHash, TCaseEqual> lines;
  std::string buffer;
  for (const TRecord* record : records.Master().Items()) {
    ForEachLine(record->Value(column, buffer), [&](std::string_view line) {
      if (static_cast<int>(lines.size()) < kMaxEntries && !lines.contains(line)) {
        lines.emplace(line);
      }
    });
    if (static_cast<int>(lines.size()) >= kMaxEntries) break;
  }
  Entries_.assign(lines.begin(), lines.end());
  std::sort(Entries_.begin(), Entries_.end(), TCaseLess());
  Filled_ = true;
}

std::vector<std::string>::const_iterator TCardValueList::Find(std::string_view text,
                                                              bool& found) const {
  const TCaseLess less;
  const auto place = std::lower_bound(Entries_.begin(), Entries_.end(), text, less);
  found = place != Entries_.end() && !less(text, *place);
  return place;
}

void TCardValueList::Note(std::string_view value) {
  ForEachLine(value, [this](std::string_view line) {
    bool found = false;
    const auto place = Find(line, found);
    if (!found) Entries_.emplace(place, line);
  });
}

std::string TCardValueList::Step(std::string_view text, bool forward) const {
  if (Entries_.empty()) return {};
  bool found = false;
  const auto place = Find(text, found);
  const auto count = static_cast<std::ptrdiff_t>(Entries_.size());
  std::ptrdiff_t index = place - Entries_.begin();
  if (!found) {
    index = forward ? 0 : count - 1;
  } else {
    index = (index + (forward ? 1 : count - 1)) % count;
  }
  return Entries_[static_cast<std::size_t>(index)];
}

}  // namespace mervanta
