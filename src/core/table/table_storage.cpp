// Opening and saving a table's pair of files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <memory>
#include <new>
#include <optional>
#include <utility>

#include "model/data_text.h"
#include "model/protecter.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "support/file_reader.h"
#include "support/file_system.h"
#include "support/xml_file.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr const char* kSaveFailed = "Cannot save file";

bool SaveSelection() {
  return Options().Other->SaveSelection->Value();
}

// The empty data file a save as makes to lock before writing; it goes again unless kept.
class TCreatedFile {
 public:
  explicit TCreatedFile(const std::string& path) : Path_(path) {
    TFileDescriptor fd(sys::Open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666));
    if (fd.IsOpen()) {
      ::fstat(fd.Get(), &Made_);
    } else if (errno != EEXIST) {
      RaiseFileError(kSaveFailed, path, errno);
    } else {
      Path_.clear();
    }
  }
  ~TCreatedFile() {
    // Only while it is still the file made here: a save may have renamed the new one over it.
    struct stat now {};
    if (!Path_.empty() && ::stat(Path_.c_str(), &now) == 0 && now.st_dev == Made_.st_dev &&
        now.st_ino == Made_.st_ino) {
      ::unlink(Path_.c_str());
    }
  }
  TCreatedFile(const TCreatedFile&) = delete;
  TCreatedFile& operator=(const TCreatedFile&) = delete;

  void Keep() { Path_.clear(); }

 private:
  std::string Path_;
  struct stat Made_ {};
};

// A data file named like its own description would be overwritten by it.
void CheckFileNames(const std::string& dataFile) {
  const std::string description = mervanta::DescriptionFileName(dataFile);
  if (description == dataFile || SameFile(description, dataFile)) {
    throw EMervantaError("The data file \"" + dataFile +
                         "\" would be overwritten by its own description file: give it another "
                         "extension");
  }
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
    Files_ = TFilePair(FileName_, DescriptionFileName());
    if (readOnly || Files_.Lock() != TLockedFile::TStatus::Held) ReadOnly_ = true;
    int fieldCount = 0;
    Files_.Read([this, &fieldCount](int dataFd, const std::optional<std::string>& description) {
      LoadDescription(description);
      fieldCount = LoadData(dataFd);
    });
    // A save would drop whatever follows the text's end, or turn the file into plain text. The
    // loading's own change is undone first, as a read-only table cannot undo it later.
    if (DataDamage_ != TDataDamage::None) {
      SetModified(false);
      ReadOnly_ = true;
    }
    // The binary form counts the stored fields exactly: a protected table of virtual columns
    // only stores none and must not come back with generated columns.
    const bool complete = fieldCount == 0 && !Password_.empty() && Columns().Count() > 0 &&
                          Columns().StoredCount() == 0;
    if (!complete) Columns().EnsureStoredColumns(fieldCount);
  } catch (...) {
    Files_ = TFilePair();
    FileName_.clear();
    throw;
  }
  SetModified(false);
}

void TTable::LoadDescription(const std::optional<std::string>& text) {
  // A table without a description file gets the defaults, also over what an earlier reading
  // of a pair that changed meanwhile had set.
  TXmlFile document;
  document.LoadFromString(text ? *text : std::string("<Table/>"));
  TXmlTag& root = *document.Root();
  Columns().LoadFromXml(*root.Child("Columns"));
  Options_->LoadFromXml(*root.Child("Options"));
  Sources_->All.SetDenySort(Options_->DenySort->Value());
  if (SaveSelection()) Sources_->LoadViewState(root);
}

int TTable::LoadData(int fd) {
  TRecords& all = Sources_->All;
  DataDamage_ = TDataDamage::None;
  TextEnd_.reset();
  if (!Password_.empty()) {
    try {
      std::string bytes = ReadToEnd(fd, FileName_);
      return all.LoadBinary(TProtecter::LoadProtected(bytes, Password_));
    } catch (const std::bad_alloc&) {
      // The file is read whole, and its records take about a quarter more than their bytes.
      struct stat info {};
      const std::uint64_t size = ::fstat(fd, &info) == 0 ? info.st_size : 0;
      RaiseNotEnoughMemory(FileName_, size + size / 4 * 5);
    }
  }
  // A reader of its own, since the pair's reading checks the file it opened afterwards.
  TFileDescriptor own(::dup(fd));
  if (!own.IsOpen()) RaiseFileError("Cannot open file", FileName_, errno);
  TDataText text(std::make_unique<TFileReader>(std::move(own), FileName_));
  // Saved as text, a file that only looks like a damaged protected one would lose what it is.
  if (TProtecter::LooksProtected(text.Head())) DataDamage_ = TDataDamage::LooksProtected;
  const int fieldCount = all.LoadText(text, 0);
  if (const std::optional<std::uint64_t> zero = text.ZeroByte()) {
    TextEnd_ = *zero;
    if (DataDamage_ == TDataDamage::None) DataDamage_ = TDataDamage::ZeroByte;
  }
  return fieldCount;
}

void TTable::Save() {
  if (ReadOnly_) RaiseCannotSave(FileName_, "The table is open read-only");
  CheckFileNames(FileName_);
  TXmlFile description;
  BuildDescription(description);
  Files_.Save([this](TFileWriter& out) { WriteData(out); }, description.SaveToString());
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

void TTable::WriteData(TFileWriter& out) const {
  const TRecords& all = Sources_->All;
  if (Password_.empty()) {
    all.SaveText(out);
    return;
  }
  std::string plaintext;
  all.SaveBinary(plaintext);
  TProtecter::SaveProtected(plaintext, Password_, out);
}

void TTable::SaveAs(const std::string& fileName) {
  const std::string target = FullPath(fileName);
  if (Files_.Locked() && SameFile(target, FileName_)) {
    Save();
  } else {
    CheckFileNames(target);
    // The new file is locked before anything is written, so that a table another copy of
    // the program holds is never overwritten.
    TCreatedFile created(target);
    TFilePair files(target, mervanta::DescriptionFileName(target));
    const TLockedFile::TStatus status = files.Lock();
    if (status == TLockedFile::TStatus::LockedByOther) {
      RaiseCannotSave(target, "The file is in use by another application");
    }
    if (status != TLockedFile::TStatus::Held)
      RaiseFileError(kSaveFailed, target, files.LastError());
    TFilePair oldFiles = std::exchange(Files_, std::move(files));
    std::string oldFileName = std::exchange(FileName_, target);
    const bool oldReadOnly = std::exchange(ReadOnly_, false);
    try {
      Save();
    } catch (...) {
      Files_ = std::move(oldFiles);
      FileName_ = std::move(oldFileName);
      ReadOnly_ = oldReadOnly;
      throw;
    }
    created.Keep();
    // The new file holds the records whole; the damage stays with the old one.
    DataDamage_ = TDataDamage::None;
    TextEnd_.reset();
  }
  ChangeToFolderOf(FileName_);
}

void TTable::SaveSession() {
  if (!SaveSelection() || FileName_.empty()) return;
  CheckFileNames(FileName_);
  Files_.UpdateDescription([this](std::string text) {
    TXmlFile document;
    document.LoadFromString(text);
    document.Root()->Name = "Table";
    Sources_->SaveViewState(*document.Root());
    return document.SaveToString();
  });
}

}  // namespace mervanta
