#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/columns.h"
#include "model/records.h"

namespace mervanta {

// Named record lists on one shared column set: every view, search, export and automated
// operation works on one of them. The lists are numbered in the order they were added. Changes
// of the current list and of the enabled lists are announced as CurrentSourceChanged and
// SourcesEnabledChanged with the container as sender.
class TSources {
 public:
  TSources();
  // The lists go from the last to the first, so that lists referring to a master's records
  // are gone before the master frees them; the columns go last.
  virtual ~TSources();
  TSources(const TSources&) = delete;
  TSources& operator=(const TSources&) = delete;

  TColumns& Columns() const { return *Columns_; }

  // A new, enabled list on the columns; without a master it owns its records.
  TRecords& AddSource(std::string name, TRecords* master);

  int SourceCount() const { return static_cast<int>(Lists_.size()); }
  // The index must be within 0..SourceCount() - 1.
  TRecords& Source(int index) const { return *Lists_[static_cast<std::size_t>(index)].Records; }
  const std::string& SourceName(int index) const {
    return Lists_[static_cast<std::size_t>(index)].Name;
  }
  bool SourceEnabled(int index) const { return Enabled_[static_cast<std::size_t>(index)] != 0; }
  // "All: 1 234": the name and the record count with its digits grouped.
  std::string SourceCaption(int index) const;

  int CurrentIndex() const { return CurrentIndex_; }
  // Null when no list is current.
  TRecords* CurrentSource() const;
  // The current list's selected record; null when there is none.
  TRecord* CurrentRecord() const;
  // The caller makes sure the list is enabled.
  void SetCurrentIndex(int index);
  // A list disabled while current hands the current place to the next enabled one.
  void SetSourceEnabled(int index, bool enabled);
  // The first enabled list after the current one, else the first from the start up to and
  // including the current one; -1 when none is enabled.
  int NextEnabledSource() const;

 private:
  struct TSource {
    std::string Name;
    std::unique_ptr<TRecords> Records;
  };

  std::unique_ptr<TColumns> Columns_;
  std::vector<TSource> Lists_;
  std::vector<std::uint8_t> Enabled_;
  int CurrentIndex_ = -1;
};

}  // namespace mervanta
