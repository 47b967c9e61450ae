#include "table/table.h"

#include "model/notices.h"
#include "settings/options.h"
#include "support/file_names.h"

namespace mervanta {

TTable::TTable()
    : Options_(std::make_unique<TTableOptions>()),
      Sources_(std::make_unique<TTableSources>()),
      SearchManager_(std::make_unique<TSearchManager>(*Sources_)),
      Subscription_(BindListener<&TTable::Heard>(this)) {
  Options_->OnChange = [this](TPropertiesCategory&, TProperty&) { OptionsChanged(); };
  Sources_->SetSourceEnabled(TTableSources::kChosenIndex,
                             mervanta::Options().Main->UseChoice->Value());
}

std::string TTable::DescriptionFileName() const {
  return mervanta::DescriptionFileName(FileName_);
}

std::string TTable::Folder() const {
  return FileName_.empty() ? std::string() : FolderOf(FileName_);
}

std::string TTable::DisplayName() const {
  return FileName_.empty() ? "(Untitled)" : FileTitle(FileName_);
}

TTableFacts TTable::Facts() const {
  return {DisplayName(),
          FileName_,
          FileName_.empty() ? std::string() : DescriptionFileName(),
          Sources_->All.Count(),
          !Password_.empty(),
          ReadOnly_,
          Modified_};
}

std::string TTable::DataDamageNotice() const {
  switch (DataDamage_) {
    case TDataDamage::ZeroByte:
      return "The text of the data file ends at a zero byte at offset " +
             std::to_string(TextEnd_.value_or(0)) + "; saving would lose the rest of the file.";
    case TDataDamage::LooksProtected:
      return "The data file starts like a password-protected file whose signature is damaged; "
             "saving would store it as plain text.";
    case TDataDamage::None:
      break;
  }
  return {};
}

void TTable::SetModified(bool modified) {
  if (modified == Modified_ || ReadOnly_) return;
  Modified_ = modified;
  MsgSender().Send(this, TMsgCode::ModifiedChanged);
}

void TTable::SetPassword(std::string password) {
  Password_ = std::move(password);
  SetModified(true);
}

void TTable::New() {
  Columns().EnsureStoredColumns(0);
  SetModified(true);
}

void TTable::OptionsChanged() {
  SetModified(true);
  Sources_->All.SetDenySort(Options_->DenySort->Value());
}

void TTable::ApplyUseChoice() {
  const bool useChoice = mervanta::Options().Main->UseChoice->Value();
  if (Sources_->SourceEnabled(TTableSources::kChosenIndex) == useChoice) return;
  Sources_->SetSourceEnabled(TTableSources::kChosenIndex, useChoice);
  Sources_->Chosen.Clear();
}

namespace {

bool IsRecordsChange(TMsgCode code) {
  return code == TMsgCode::CountChanged || code == TMsgCode::OrderChanged ||
         code == TMsgCode::RecordEdited || code == TMsgCode::FieldsChanged;
}

// A mark is cleared on every record a list holds when its update begins and set again on
// every record it holds when the update ends, so however the update changed the list, the
// marks match it afterwards, at two passes per update. True when the update ended.
template <void (TRecord::*SetMark)(bool)>
bool RenewMarks(const TRecords& list, TMsgCode code) {
  if (code != TMsgCode::BeginUpdate && code != TMsgCode::EndUpdate) return false;
  const bool mark = code == TMsgCode::EndUpdate;
  for (TRecord* record : list.Items()) (record->*SetMark)(mark);
  return mark;
}

}  // namespace

void TTable::Heard(const TMsg& msg) {
  const TTableSources& sources = *Sources_;
  if (msg.Sender == &mervanta::Options()) {
    if (msg.Code == TMsgCode::OptionsChanged) ApplyUseChoice();
  } else if (msg.Sender == &sources.Columns()) {
    if (TColumnNotice::IsColumnCode(msg.Code)) SetModified(true);
  } else if (msg.Sender == &sources.All) {
    if (IsRecordsChange(msg.Code)) SetModified(true);
  } else if (msg.Sender == &sources.SearchResults) {
    if (RenewMarks<&TRecord::SetFound>(sources.SearchResults, msg.Code)) {
      MsgSender().Send(&sources.All, TMsgCode::MarksChanged);
    }
  } else if (msg.Sender == &sources.Chosen) {
    if (RenewMarks<&TRecord::SetChosen>(sources.Chosen, msg.Code)) {
      MsgSender().Send(&sources.All, TMsgCode::MarksChanged);
    }
  }
}

}  // namespace mervanta
