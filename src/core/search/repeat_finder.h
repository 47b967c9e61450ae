#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace mervanta {

class TColumn;
class TRecord;
class TValueReader;

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
  // Records with equal keys: Keys_[Begin, End), in list order.
  struct TRun {
    std::uint32_t Begin;
    std::uint32_t End;
    std::size_t Cells;  // where the first record's cells are kept; kNotKept before
    bool Mixed;         // holds records whose cells differ
  };
  static constexpr std::uint32_t kNoRun = UINT32_MAX;
  static constexpr std::size_t kNotKept = SIZE_MAX;

  // With AnyField each column is a group of its own; otherwise all columns form one.
  std::size_t GroupCount() const;
  std::span<TColumn* const> GroupColumns(std::size_t group) const;
  // Keys the records that can repeat another in the group; empty cells cannot when ignored.
  void KeyRecords(std::span<TRecord* const> records, TValueReader& values);
  // A stable radix sort by key, so records with equal keys stay in list order.
  void SortKeys();
  void FindRuns(std::size_t recordCount);
  // Compares every record of a run with the run's first, in list order, against a copy of the
  // first's cells: records are read in the order they lie in memory.
  void CheckRuns(std::span<TRecord* const> records, TValueReader& values);
  void KeepCells(const TRecord& record, TValueReader& values);
  bool EqualsKept(const TRecord& record, TValueReader& values, std::size_t at);
  // Splits a run into sets of records with equal cells and flags each set.
  void SplitRun(std::span<TRecord* const> records, TValueReader& values, std::span<TKeyed> run,
                std::vector<std::uint8_t>& flags);
  // Each record of the set repeats the others: all but the first are repeated earlier, all but
  // the last later.
  static void MarkSet(std::span<const TKeyed> set, std::vector<std::uint8_t>& flags);
  // One progress step per record over all groups' passes.
  void Tick();

  std::span<TColumn* const> Columns_;
  bool AnyField_;
  bool IgnoreCase_;
  bool IgnoreEmpty_;
  std::vector<TKeyed> Keys_;
  std::vector<TKeyed> Scratch_;
  std::vector<TRun> Runs_;
  std::vector<std::uint32_t> RunOf_;  // by record; kNoRun for a record in no run
  // The first cells of the runs, each as its length and its bytes.
  std::string Kept_;
  std::size_t Ticks_ = 0;
};

}  // namespace mervanta
