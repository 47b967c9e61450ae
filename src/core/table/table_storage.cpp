// Opening and saving a table's pair of files.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <new>
#include <optional>
#include <utility>

#include "model/data_text.h"
#include "model/protecter.h"
#include "settings/options.h"
#include "support/atomic_file.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "support/xml_file.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr const char* kSaveFailed = "Cannot save file";

// Only where the file dialogs start; the table never relies on it, so a failure is ignored.
void ChangeToFolderOf(const std::string& path) {
  std::error_code error;
  std::filesystem::current_path(std::filesystem::path(path).parent_path(), error);
}

bool SaveSelection() {
  return Options().Other->SaveSelection->Value();
}

// Makes the file when it does not exist yet; true when it did not.
bool CreateMissingFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    if (errno == EEXIST) return false;
    RaiseFileError(kSaveFailed, path, errno);
  }
  ::close(fd);
  return true;
}

[[noreturn]] void RaiseCannotSave(const std::string& path, const char* reason) {
  throw EMervantaError(std::string(kSaveFailed) + " \"" + path + "\". " + reason);
}

}  // namespace

void TTable::Open(const std::string& fileName, const std::string& password, bool readOnly) {
  // The table keeps its file's full name, because opening it changes the current directory.
  FileName_ = FullPath(fileName);
  Password_ = password;
  ChangeToFolderOf(FileName_);
  try {
    OpenStream(readOnly);
    LoadDescription();
    const int fieldCount = LoadData();
    // The binary form counts the stored fields exactly: a protected table of virtual columns
    // only stores none and must not come back with generated columns.
    const bool complete = fieldCount == 0 && !Password_.empty() && Columns().Count() > 0 &&
                          Columns().StoredCount() == 0;
    if (!complete) Columns().EnsureStoredColumns(fieldCount);
  } catch (...) {
    // Without its file the table must not write its view state over the description.
    Stream_.Release();
    FileName_.clear();
    throw;
  }
  SetModified(false);
}

void TTable::OpenStream(bool readOnly) {
  if (readOnly || Stream_.Acquire(FileName_) != TLockedFile::TStatus::Held) ReadOnly_ = true;
}

void TTable::LoadDescription() {
  TXmlFile document;
  try {
    document.LoadFromFile(DescriptionFileName());
  } catch (const EMervantaError&) {
    return;  // a table without a description file gets the defaults
  }
  TXmlTag& root = *document.Root();
  Columns().LoadFromXml(*root.Child("Columns"));
  Options_->LoadFromXml(*root.Child("Options"));
  Sources_->All.SetDenySort(Options_->DenySort->Value());
  if (SaveSelection()) Sources_->LoadViewState(root);
}

int TTable::LoadData() {
  TRecords& all = Sources_->All;
  if (!Password_.empty()) {
    try {
      std::string bytes = ReadWholeFile(FileName_);
      return all.LoadBinary(TProtecter::LoadProtected(bytes, Password_));
    } catch (const std::bad_alloc&) {
      // The file is read whole, and its records take about a quarter more than their bytes.
      std::error_code error;
      const std::uintmax_t size = std::filesystem::file_size(FileName_, error);
      RaiseNotEnoughMemory(FileName_, error ? 0 : size + size / 4 * 5);
    }
  }
  TDataText text(FileName_);
  // Saved as text, a file that only looks like a damaged protected one would lose what it is.
  if (TProtecter::LooksProtected(text.Head())) DataDamage_ = TDataDamage::LooksProtected;
  const int fieldCount = all.LoadText(text, 0);
  if (const std::optional<std::uint64_t> zero = text.ZeroByte()) {
    TextEnd_ = *zero;
    if (DataDamage_ == TDataDamage::None) DataDamage_ = TDataDamage::ZeroByte;
  }
  // A save would drop whatever follows the text's end, or turn the file into plain text. The
  // loading's own change is undone first, as a read-only table cannot undo it later.
  if (DataDamage_ != TDataDamage::None) {
    SetModified(false);
    ReadOnly_ = true;
  }
  return fieldCount;
}

void TTable::Save() {
  if (ReadOnly_) RaiseCannotSave(FileName_, "The table is open read-only");
  TXmlFile description;
  BuildDescription(description);
  // The data first: it is the large write that a full disk stops, and then nothing has
  // changed. Should the small description fail after it, the new records still open with the
  // old description, which only lacks columns that the table then generates.
  WriteData();
  description.SaveToFile(DescriptionFileName());
  SetModified(false);
}

void TTable::BuildDescription(TXmlFile& document) {
  try {
    document.LoadFromFile(DescriptionFileName());
  } catch (const EMervantaError&) {
    // Elements of other versions survive only when the old file can be read.
  }
  TXmlTag& root = *document.Root();
  root.Name = "Table";
  Columns().SaveToXml(*root.Child("Columns"));
  TXmlTag& options = *root.Child("Options");
  Options_->SaveToXml(options);
  options.ClearParams();
  root.DeleteChildren("LastSession");
  if (SaveSelection()) {
    Sources_->SaveViewState(root);
  } else {
    root.DeleteChildren("Session");
  }
}

void TTable::WriteData() {
  const TRecords& all = Sources_->All;
  if (Password_.empty()) {
    ReplaceFileAtomically(
        FileName_, [&all](TFileWriter& out) { all.SaveText(out); }, &Stream_);
    return;
  }
  std::string plaintext;
  all.SaveBinary(plaintext);
  ReplaceFileAtomically(
      FileName_,
      [this, &plaintext](TFileWriter& out) {
        TProtecter::SaveProtected(plaintext, Password_, out);
      },
      &Stream_);
}

void TTable::SaveAs(const std::string& fileName) {
  const std::string target = FullPath(fileName);
  if (Stream_.IsHeld() && SameFile(target, FileName_)) {
    Save();
  } else {
    // The new file is locked before anything is written, so that a table another copy of
    // the program holds is never overwritten.
    const bool created = CreateMissingFile(target);
    TLockedFile stream;
    const TLockedFile::TStatus status = stream.Acquire(target);
    if (status != TLockedFile::TStatus::Held) {
      if (created) ::unlink(target.c_str());
      if (status == TLockedFile::TStatus::LockedByOther) {
        RaiseCannotSave(target, "The file is in use by another application");
      }
      RaiseFileError(kSaveFailed, target, stream.LastError());
    }
    TLockedFile oldStream = std::exchange(Stream_, std::move(stream));
    std::string oldFileName = std::exchange(FileName_, target);
    const bool oldReadOnly = std::exchange(ReadOnly_, false);
    try {
      Save();
    } catch (...) {
      Stream_ = std::move(oldStream);
      FileName_ = std::move(oldFileName);
      ReadOnly_ = oldReadOnly;
      if (created) ::unlink(target.c_str());
      throw;
    }
    // The new file holds the records whole; the damage stays with the old one.
    DataDamage_ = TDataDamage::None;
    TextEnd_.reset();
  }
  ChangeToFolderOf(FileName_);
}

void TTable::SaveSession() noexcept {
  if (!SaveSelection() || FileName_.empty()) return;
  const std::string path = DescriptionFileName();
  if (!FileOrFolderExists(path)) return;
  try {
    TXmlFile document;
    document.LoadFromFile(path);
    document.Root()->Name = "Table";
    Sources_->SaveViewState(*document.Root());
    document.SaveToFile(path);
  } catch (...) {
    // Closing a table never fails for its view state.
  }
}

}  // namespace mervanta
