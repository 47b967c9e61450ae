#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "core/model/records_fixture.h"
#include "settings/options.h"
#include "support/msg_sender.h"
#include "table/table.h"
#include "test_support/temp_dir.h"

namespace mervanta::test {

// Sets a boolean application option for one test and announces it as the options dialog does.
class TScopedOption {
 public:
  TScopedOption(TBooleanProperty& option, bool value) : Option_(option), Old_(option.Value()) {
    Set(value);
  }
  ~TScopedOption() { Set(Old_); }
  TScopedOption(const TScopedOption&) = delete;
  TScopedOption& operator=(const TScopedOption&) = delete;

 private:
  void Set(bool value) {
    Option_.SetValue(value);
    MsgSender().Send(&Options(), TMsgCode::OptionsChanged);
  }

  TBooleanProperty& Option_;
  bool Old_;
};

// A folder for one test's table files. Opening a table changes the current directory, which
// is put back before the folder goes.
class TTableFolder : public TTempDir {
 public:
  TTableFolder() : Previous_(std::filesystem::current_path()) {}
  ~TTableFolder() {
    std::error_code ignored;
    std::filesystem::current_path(Previous_, ignored);
  }

 private:
  std::filesystem::path Previous_;
};

// Appends a record holding the texts to the table's "All".
inline TRecord& AddRecord(TTable& table, const TRow& fields) {
  TRecords& all = table.Sources().All;
  TRecord& record = all.NewRecord(static_cast<int>(fields.size()));
  for (std::size_t i = 0; i < fields.size(); ++i) {
    record.Fields().SetField(static_cast<int>(i), fields[i]);
  }
  all.Add(record);
  return record;
}

inline TColumn& AddColumn(TTable& table, std::string_view caption,
                          TColumnStorage storage = TColumnStorage::Stored) {
  auto column = std::make_unique<TColumn>(storage);
  column->Caption->SetValue(caption);
  return table.Columns().Add(std::move(column));
}

// The captions joined by blanks, virtual ones marked with "=".
inline std::string Captions(const TColumns& columns) {
  std::string captions;
  for (const auto& column : columns) {
    if (!captions.empty()) captions += ' ';
    if (column->IsVirtual()) captions += '=';
    captions += column->Caption->Value();
  }
  return captions;
}

// Opens the table for writing and saves it as it is, so that it has its description, then
// changes what both files will hold: `records` records "c|d" added, the first two columns
// swapped.
inline void OpenAndChange(TTable& table, const std::string& path, int records = 1) {
  table.Open(path, "", false);
  table.Save();
  for (int i = 0; i < records; ++i) AddRecord(table, {"c", "d"});
  table.Columns().Move(table.Columns()[1], 0);
}

// The names in a folder, sorted; none when it does not exist.
inline std::vector<std::string> NamesIn(const std::string& folder) {
  std::vector<std::string> names;
  if (!std::filesystem::exists(folder)) return names;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

inline std::string Rows(const TTable& table) {
  return TRecordsFixture::Rows(table.Sources().All);
}

}  // namespace mervanta::test
