#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

class TColumn;
class TRecords;

// The values a card field offers in its drop-down list: the lines of the column's cells in
// "All", sorted without regard to letter case, each spelling once (the first met wins).
class TCardValueList {
 public:
  // A table holds many thousands of records: the scan stops once the list is this long.
  static constexpr int kMaxEntries = 600;

  bool Filled() const { return Filled_; }
  const std::vector<std::string>& Entries() const { return Entries_; }

  // Scans the master list of `records` once, under the wait cursor; later calls do nothing.
  void Fill(const TRecords& records, const TColumn& column);
  // Adds the non-empty lines of a value, as a record added meanwhile brings them.
  void Note(std::string_view value);

  // The entry Page Up (backward) or Page Down (forward) steps to from `text`: the one before
  // or after the entry equal to it, wrapping around at both ends; from a text not in the list
  // the last or the first. Empty when the list is.
  std::string Step(std::string_view text, bool forward) const;

 private:
  // The position of the entry equal to `text` ignoring case, or where it would go.
  std::vector<std::string>::const_iterator Find(std::string_view text, bool& found) const;

  std::vector<std::string> Entries_;
  bool Filled_ = false;
};

}  // namespace mervanta
