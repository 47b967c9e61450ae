#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

class TColumn;
class TRecord;

// Finds, for every record of a list, whether another record before it and another after it
// repeat it (see TSearchEquals). Comparing every pair takes hours on large tables; instead the
// records are grouped by a hash of their compared cells, radix-sorted, and only records with
// equal hashes are compared, so the cost grows with the list's length, not its square.
class TRepeatFinder {
 public:
  static constexpr std::uint8_t kRepeatsEarlier = 1;
  static constexpr std::uint8_t kRepeatsLater = 2;

  TRepeatFinder(std::span<TColumn* const> columns, bool anyField, bool ignoreCase,
                bool ignoreEmpty);

  // One byte of flags per record. Progress advances one step per record in all.
  std::vector<std::uint8_t> Find(std::span<TRecord* const> records);

  // The key by which a group of one column sorts a record with this cell. Different cells
  // may share a key; records are compared before they count as repeating.
  static std::uint32_t CellKey(std::string_view cell, bool ignoreCase);

 private:
  // A record by the hash of its cells in one group.
  struct TKeyed {
    std::uint32_t Key;
    std::uint32_t Index;
  };

  // With AnyField each column is a group of its own; otherwise all columns form one.
  std::size_t GroupCount() const;
  std::span<TColumn* const> GroupColumns(std::size_t group) const;
  // Keys the records that can repeat another in the group; empty cells cannot when ignored.
  void KeyRecords(std::span<TRecord* const> records, std::span<TColumn* const> columns);
  // A stable radix sort by key, so records with equal keys stay in list order.
  void SortKeys();
  // Splits records with equal keys into sets of repeating records and flags them.
  void MarkRun(std::span<TRecord* const> records, std::span<TColumn* const> columns,
               std::span<TKeyed> run, std::vector<std::uint8_t>& flags);
  // Whether the record's cells equal the head's.
  bool Repeats(const TRecord& record, std::span<TColumn* const> columns);
  // One progress step per record over all groups' passes.
  void Tick();

  std::span<TColumn* const> Columns_;
  bool AnyField_;
  bool IgnoreCase_;
  bool IgnoreEmpty_;
  std::vector<TKeyed> Keys_;
  std::vector<TKeyed> Scratch_;
  // The cells of the record that a run's members are compared with.
  std::vector<std::string> Heads_;
  std::string Buffer_;
  std::size_t Ticks_ = 0;
};

}  // namespace mervanta
