#include "exchange/import.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "exchange/record_set.h"
#include "model/data_text.h"
#include "model/table_options.h"
#include "model/table_sources.h"
#include "support/errors.h"
#include "support/numbers.h"
#include "support/progress.h"
#include "support/trim.h"
#include "support/user_interface.h"

namespace mervanta {

namespace {

// Trims the stored fields of records, unless the table keeps its blanks, and tells the
// empty ones (TRecord::IsEmpty over the stored columns), in one walk over each record's
// packed fields.
class TRecordCleaner {
 public:
  TRecordCleaner(const TColumns& columns, bool trim)
      : Considered_(ConsideredFields(columns)), Trim_(trim) {}

  // Whether the record is empty once cleaned.
  bool Clean(TRecord& record) {
    TFieldArray& fields = record.Fields();
    const int count = std::min(fields.Count(), static_cast<int>(Considered_.size()));
    TFieldArray::TCursor cursor(fields);
    bool empty = true;
    for (int i = 0; i < count; ++i) {
      std::string_view text = cursor.Field(i);
      if (Trim_ && !text.empty() &&
          (IsBlankOrControl(text.front()) || IsBlankOrControl(text.back()))) {
        Scratch_.assign(Trimmed(text));
        fields.SetField(i, Scratch_);
        text = Scratch_;
        // The block was made anew: the cursor walks on in the new one.
        cursor = TFieldArray::TCursor(fields);
      }
      if (!text.empty() && Considered_[static_cast<std::size_t>(i)]) empty = false;
    }
    return empty;
  }

 private:
  const std::vector<bool> Considered_;
  const bool Trim_;
  std::string Scratch_;
};

class TImport {
 public:
  TImport(TTableSources& sources, const TTableOptions& options)
      : Columns_(sources.Columns()), All_(sources.All), Options_(options) {}

  int ImportFile(const std::string& fileName) {
    TDataText text(fileName);
    // Made in the pool of "All", the records join it without being copied.
    TRecords read(Columns_, &All_);
    bool joined = false;
    try {
      read.LoadText(text, Columns_.StoredCount());
      KeepAcceptable(read);
      if (Options_.InsertFirst->Value()) {
        All_.InsertList(0, read);
        joined = true;
        All_.SetItemIndex(read.Count());
      } else {
        All_.AddList(read);
        joined = true;
      }
    } catch (...) {
      if (!joined) read.FreeAll();
      throw;
    }
    const int added = read.Count();
    read.Clear();
    return added;
  }

 private:
  // Cleans the records from the last to the first and leaves in the list, in their order,
  // only those the table accepts; the others are freed.
  void KeepAcceptable(TRecords& read) {
    TRecordCleaner cleaner(Columns_, !Options_.NoTrim->Value());
    const bool allowEmpty = Options_.AllowEmpty->Value();
    std::vector<TRecord*> kept, dropped;
    kept.reserve(static_cast<std::size_t>(read.Count()));
    {
      TProgressScope progress(read.Count());
      const std::span<TRecord* const> items = read.Items();
      for (auto it = items.rbegin(); it != items.rend(); ++it) {
        TRecord& record = **it;
        const bool empty = cleaner.Clean(record);
        (empty && !allowEmpty ? dropped : kept).push_back(&record);
        TProgress::Step();
      }
    }
    std::reverse(kept.begin(), kept.end());
    if (Options_.NoEquals->Value() && !kept.empty()) DropEqualToAll(kept, dropped);
    if (dropped.empty()) return;
    {
      TRecordsUpdate update(read);
      read.Clear();
      read.SetCapacity(static_cast<int>(kept.size()));
      for (TRecord* record : kept) read.Add(*record);
    }
    for (TRecord* record : dropped) All_.FreeRecord(*record);
  }

  // One pass over "All" against the file's records, which are few beside it; records of
  // earlier files are in "All" by now.
  void DropEqualToAll(std::vector<TRecord*>& kept, std::vector<TRecord*>& dropped) {
    const std::vector<bool> equal = TRecordSet(Columns_, kept).FoundIn(All_.Items());
    std::size_t next = 0;
    for (std::size_t i = 0; i < kept.size(); ++i) {
      if (equal[i]) {
        dropped.push_back(kept[i]);
      } else {
        kept[next++] = kept[i];
      }
    }
    kept.resize(next);
  }

  TColumns& Columns_;
  TRecords& All_;
  const TTableOptions& Options_;
};

}  // namespace

int ImportRecords(TTableSources& sources, const TTableOptions& options,
                  std::span<const std::string> fileNames) {
  TImport import(sources, options);
  TRecords& all = sources.All;
  // The records of the files done before a cancel go again, so that nothing is imported.
  TRecords before(all.Columns(), &all);
  before.AddList(all);
  const int itemIndex = all.ItemIndex();
  int total = 0;
  try {
    for (const std::string& fileName : fileNames) {
      TBusyScope busy;
      total += import.ImportFile(fileName);
    }
  } catch (const EOperationAborted&) {
    TRecords imported(all.Columns(), &all);
    imported.AddList(all);
    imported.RemoveList(before);
    all.RemoveList(imported);
    imported.FreeAll();
    all.SetItemIndex(itemIndex);
    throw;
  }
  ShowMessageBox(GroupedCount(total) + " records added", "Information", TButtons::Ok,
                 TIcon::Information);
  sources.SetCurrentIndex(TTableSources::kAllIndex);
  return total;
}

}  // namespace mervanta
