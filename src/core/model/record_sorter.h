#pragma once

#include <span>

namespace mervanta {

class TCellColumn;
class TRecord;

// Orders records by their cells in the key columns, one column after the other, as
// CompareValuesForSort orders cell texts, and records equal in every key by their addresses,
// ascending or, with `descending`, in exactly the reverse order. Each record's cell is read
// and classified once per key, and only records whose texts tie are compared by the next key.
// Where the texts of a key are not consistently ordered (dates or times among other texts)
// that key's part is sorted by a sort that stays safe under any comparison. Returns whether
// the order changed.
bool SortRecords(std::span<TRecord*> records, std::span<const TCellColumn* const> keys,
                 bool descending);

}  // namespace mervanta
