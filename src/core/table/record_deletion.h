#pragma once

#include <span>

namespace mervanta {

class TRecord;
class TTable;

// Records leave the lists that refer to them before the one that owns them, and are freed
// last, so that no list, not even a stored search result, is left holding a freed record.
// Each list changes in one update, so the Found and Chosen marks follow.

// Removes the record from "Chosen", "Search Results", the stored results and "All", then
// frees it. A record that "All" does not hold is not freed.
void DeleteRecord(TTable& table, TRecord& record);
// The same for many records at once, each list changing in one pass. The records must be
// distinct and held by "All".
void DeleteRecords(TTable& table, std::span<TRecord* const> records);
// Removes the chosen records from "All", "Search Results" and the stored results, then frees
// them through "Chosen", which leaves it empty.
void DeleteChosenRecords(TTable& table);

}  // namespace mervanta
