#include "exchange/import.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

#include "exchange/record_set.h"
#include "model/table.h"
#include "support/file_io.h"
#include "support/numbers.h"
#include "support/progress.h"
#include "support/user_interface.h"

namespace mervanta {

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= ' ';
}

// Trims every stored field of blanks and control characters at both ends.
void TrimFields(TRecord& record, int storedCount, std::string& scratch) {
  for (int i = 0; i < storedCount; ++i) {
    const std::string_view field = record.Fields().Field(i);
    std::string_view trimmed = field;
    while (!trimmed.empty() && IsBlankOrControl(trimmed.front())) trimmed.remove_prefix(1);
    while (!trimmed.empty() && IsBlankOrControl(trimmed.back())) trimmed.remove_suffix(1);
    if (trimmed.size() == field.size()) continue;
    scratch.assign(trimmed);
    record.Fields().SetField(i, scratch);
  }
}

class TImport {
 public:
  explicit TImport(TTable& table)
      : Columns_(table.Columns()), All_(table.Sources().All), Options_(table.Options()) {}

  int ImportFile(const std::string& fileName) {
    const std::string bytes = ReadWholeFile(fileName);
    // Made in the pool of "All", the records join it without being copied.
    TRecords read(Columns_, &All_);
    bool joined = false;
    try {
      read.LoadText(bytes, Columns_.StoredCount());
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
    if (Existing_) {
      for (const TRecord* record : read.Items()) Existing_->Add(*record);
    }
    const int added = read.Count();
    read.Clear();
    return added;
  }

 private:
  // Cleans the records from the last to the first and leaves in the list, in their order,
  // only those the table accepts; the others are freed.
  void KeepAcceptable(TRecords& read) {
    const bool trim = !Options_.NoTrim->Value();
    const bool allowEmpty = Options_.AllowEmpty->Value();
    const bool noEquals = Options_.NoEquals->Value();
    if (noEquals && read.Count() > 0) HashExisting(read.Count());

    std::vector<TRecord*> kept, dropped;
    kept.reserve(static_cast<std::size_t>(read.Count()));
    std::string scratch;
    {
      TProgressScope progress(read.Count());
      const std::span<TRecord* const> items = read.Items();
      for (auto it = items.rbegin(); it != items.rend(); ++it) {
        TRecord& record = **it;
        if (trim) TrimFields(record, Columns_.StoredCount(), scratch);
        const bool drop = (!allowEmpty && record.IsEmpty(Columns_, true)) ||
                          (noEquals && Existing_->ContainsEqual(record));
        (drop ? dropped : kept).push_back(&record);
        TProgress::Step();
      }
    }
    if (dropped.empty()) return;
    std::reverse(kept.begin(), kept.end());
    {
      TRecordsUpdate update(read);
      read.Clear();
      for (TRecord* record : kept) read.Add(*record);
    }
    for (TRecord* record : dropped) All_.FreeRecord(*record);
  }

  // "All" is hashed once for the whole import; the records each file adds join the set.
  void HashExisting(int incoming) {
    if (Existing_) {
      Existing_->Reserve(Existing_->Count() + static_cast<std::size_t>(incoming));
      return;
    }
    Existing_.emplace(Columns_);
    Existing_->Reserve(static_cast<std::size_t>(All_.Count() + incoming));
    for (const TRecord* record : All_.Items()) Existing_->Add(*record);
  }

  TColumns& Columns_;
  TRecords& All_;
  const TTableOptions& Options_;
  std::optional<TRecordSet> Existing_;
};

}  // namespace

int ImportRecords(TTable& table, std::span<const std::string> fileNames) {
  TImport import(table);
  int total = 0;
  for (const std::string& fileName : fileNames) {
    TBusyScope busy;
    total += import.ImportFile(fileName);
  }
  ShowMessageBox(GroupedCount(total) + " records added", "Information", TButtons::Ok,
                 TIcon::Information);
  table.Sources().SetCurrentIndex(TTableSources::kAllIndex);
  return total;
}

}  // namespace mervanta
