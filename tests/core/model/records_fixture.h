#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "model/columns.h"
#include "model/notices.h"
#include "model/records.h"
#include "settings/options.h"
#include "support/msg_sender.h"

namespace mervanta::test {

using TRow = std::vector<std::string>;

// A table's columns and its master list "All", with a second list "Other" on the same
// records, and helpers that make records from texts and show lists as text.
class TRecordsFixture {
 public:
  explicit TRecordsFixture(int storedColumns = 1) {
    for (int i = 0; i < storedColumns; ++i) AddColumn(std::string(1, static_cast<char>('A' + i)));
  }

  TColumn& AddColumn(std::string_view caption, TColumnStorage storage = TColumnStorage::Stored) {
    auto column = std::make_unique<TColumn>(storage);
    column->Caption->SetValue(caption);
    return Columns.Add(std::move(column));
  }
  TColumn& Column(std::string_view caption) { return *Columns.FindByCaption(caption); }

  // A record of the master's pool holding the texts, in no list yet.
  TRecord& Make(const TRow& fields) {
    TRecord& record = All.NewRecord(static_cast<int>(fields.size()));
    for (std::size_t i = 0; i < fields.size(); ++i) {
      record.Fields().SetField(static_cast<int>(i), fields[i]);
    }
    return record;
  }
  // One-field records named by the letters of `names`, appended to All.
  void AddNamed(std::string_view names) {
    for (char name : names) All.Add(Make({std::string(1, name)}));
  }
  // The record of All whose first field is `name`.
  TRecord& Named(std::string_view name) {
    for (TRecord* record : All.Items()) {
      if (record->Fields().Field(0) == name) return *record;
    }
    throw std::logic_error("no record " + std::string(name));
  }

  // First fields, joined by blanks.
  static std::string Names(const TRecords& list) {
    std::string names;
    for (const TRecord* record : list.Items()) {
      if (!names.empty()) names += ' ';
      names += record->Fields().Field(0);
    }
    return names;
  }
  // Every field, joined by "|"; records joined by "/".
  static std::string Rows(const TRecords& list) {
    std::string rows;
    for (const TRecord* record : list.Items()) {
      if (!rows.empty()) rows += '/';
      for (int i = 0; i < record->Fields().Count(); ++i) {
        if (i > 0) rows += '|';
        rows += record->Fields().Field(i);
      }
    }
    return rows;
  }

  TColumns Columns;
  TRecords All{Columns};
  TRecords Other{Columns, &All};
};

// The notifications a list sends, by name, with param2 where it carries an index.
class TRecordsMessages {
 public:
  explicit TRecordsMessages(const TRecords& list) : List_(&list) {}

  std::vector<std::string> Seen;

 private:
  void Heard(const TMsg& msg) {
    if (msg.Sender != List_) return;
    switch (msg.Code) {
      case TMsgCode::BeginUpdate:
        Seen.emplace_back("BeginUpdate");
        break;
      case TMsgCode::EndUpdate:
        Seen.emplace_back("EndUpdate");
        break;
      case TMsgCode::CountChanged:
        Seen.emplace_back("CountChanged");
        break;
      case TMsgCode::OrderChanged:
        Seen.emplace_back("OrderChanged");
        break;
      case TMsgCode::FieldsChanged:
        Seen.emplace_back("FieldsChanged");
        break;
      case TMsgCode::SortChanged:
        Seen.emplace_back("SortChanged");
        break;
      case TMsgCode::ItemIndexChanged:
        Seen.push_back("ItemIndexChanged " + std::to_string(TRecordsNotice::Of(msg).FormerIndex));
        break;
      case TMsgCode::HasCurrentChanged:
        Seen.push_back("HasCurrentChanged " + std::to_string(TRecordsNotice::Of(msg).FormerIndex));
        break;
      default:
        Seen.push_back("code " + std::to_string(static_cast<int>(msg.Code)));
        break;
    }
  }

  const TRecords* List_;
  TMsgSubscription Subscription_{BindListener<&TRecordsMessages::Heard>(this)};
};

// Sets the data file options for one test.
class TScopedFileOptions {
 public:
  TScopedFileOptions(int separatorIndex, bool quoteAll) {
    Options().Main->SeparatorIndex->SetValue(separatorIndex);
    Options().Other->QuoteAllFields->SetValue(quoteAll);
  }
  ~TScopedFileOptions() {
    Options().Main->SeparatorIndex->SetValue(0);
    Options().Other->QuoteAllFields->SetValue(false);
  }
  TScopedFileOptions(const TScopedFileOptions&) = delete;
  TScopedFileOptions& operator=(const TScopedFileOptions&) = delete;
};

}  // namespace mervanta::test
