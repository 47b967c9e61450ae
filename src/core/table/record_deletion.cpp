#include "table/record_deletion.h"

#include "table/table.h"

namespace mervanta {

void DeleteRecord(TTable& table, TRecord& record) {
  TTableSources& sources = table.Sources();
  sources.Chosen.Remove(record);
  sources.SearchResults.Remove(record);
  table.SearchManager().ForgetRecord(record);
  if (sources.All.Remove(record) >= 0) sources.All.FreeRecord(record);
}

void DeleteRecords(TTable& table, std::span<TRecord* const> records) {
  TTableSources& sources = table.Sources();
  TRecords doomed(sources.Columns(), &sources.All);
  {
    TRecordsUpdate update(doomed);
    for (TRecord* record : records) doomed.Add(*record);
  }
  sources.Chosen.RemoveList(doomed);
  sources.SearchResults.RemoveList(doomed);
  table.SearchManager().ForgetRecords(doomed);
  sources.All.RemoveList(doomed);
  doomed.FreeAll();
}

void DeleteChosenRecords(TTable& table) {
  TTableSources& sources = table.Sources();
  sources.All.RemoveList(sources.Chosen);
  sources.SearchResults.RemoveList(sources.Chosen);
  table.SearchManager().ForgetRecords(sources.Chosen);
  sources.Chosen.FreeAll();
}

}  // namespace mervanta
