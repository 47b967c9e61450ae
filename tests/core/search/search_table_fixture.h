#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "core/table/table_fixture.h"
#include "search/search.h"
#include "support/errors.h"
#include "table/table.h"

namespace mervanta::test {

// Keeps the records whose one field is among its letters, and highlights the whole cell of
// those. Counts the live ones, so tests see which searches the manager has freed.
class TLetterSearch : public TSearch {
 public:
  TLetterSearch(TRecords& source, std::string letters)
      : TSearch(source), Letters(std::move(letters)) {
    ++Live;
  }
  ~TLetterSearch() override { --Live; }

  void Filter(TRecords& list) override {
    for (int i = list.Count() - 1; i >= 0; --i) {
      if (!Holds(list.Item(i))) list.Delete(i);
    }
  }
  bool LocateMatch(const TColumn&, const TRecord& record, TMatchSpan& span) const override {
    if (!Holds(record)) return false;
    span = {1, 1};
    return true;
  }

  const std::string Letters;
  static inline int Live = 0;

 private:
  bool Holds(const TRecord& record) const {
    return Letters.find(record.Fields().Field(0)) != std::string::npos;
  }
};

// A kind of its own, for finding the previous search of a kind.
class TNarrowLetterSearch final : public TLetterSearch {
 public:
  using TLetterSearch::TLetterSearch;
};

// Fails while filtering, as a search with a malformed mask does.
class TFailingSearch final : public TSearch {
 public:
  using TSearch::TSearch;
  void Filter(TRecords&) override { throw EMervantaError("'[a' is an invalid mask at (3)"); }
  bool LocateMatch(const TColumn&, const TRecord&, TMatchSpan&) const override { return false; }
};

// A table with one stored column and the records a to f in "All", with "All" current.
class SearchTableTest : public testing::Test {
 protected:
  SearchTableTest() : Sources(Table.Sources()), All(Sources.All), Manager(Table.SearchManager()) {
    AddColumn(Table, "A");
    for (const char* name : {"a", "b", "c", "d", "e", "f"}) AddRecord(Table, {name});
    Sources.SetCurrentIndex(TTableSources::kAllIndex);
    All.SetItemIndex(0);
  }

  // The record of "All" holding the name.
  TRecord& Named(char name) const {
    for (TRecord* record : All.Items()) {
      if (record->Fields().Field(0) == std::string_view(&name, 1)) return *record;
    }
    throw std::logic_error(std::string("no record ") + name);
  }
  // Fills the list with the named records in one update.
  void Fill(TRecords& list, std::string_view names) const {
    TRecordsUpdate update(list);
    list.Clear();
    for (char name : names) list.Add(Named(name));
  }
  void Run(std::string letters) {
    Manager.Run(std::make_unique<TLetterSearch>(All, std::move(letters)));
  }
  // The records of "All" with the mark, by name.
  std::string Marked(bool (TRecord::*mark)() const) const {
    std::string names;
    for (const TRecord* record : All.Items()) {
      if ((record->*mark)()) names += record->Fields().Field(0);
    }
    return names;
  }
  std::string Found() const { return Marked(&TRecord::Found); }
  std::string Chosen() const { return Marked(&TRecord::Chosen); }
  static std::string Names(const TRecords& list) { return TRecordsFixture::Names(list); }

  TTable Table;
  TTableSources& Sources;
  TRecords& All;
  TSearchManager& Manager;
};

}  // namespace mervanta::test
