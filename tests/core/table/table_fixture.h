#pragma once

#include <filesystem>
#include <string>
#include <system_error>

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

inline TColumn& AddColumn(TTable& table, std::string_view caption, bool isVirtual = false) {
  auto column = std::make_unique<TColumn>(isVirtual);
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

inline std::string Rows(const TTable& table) {
  return TRecordsFixture::Rows(table.Sources().All);
}

}  // namespace mervanta::test
