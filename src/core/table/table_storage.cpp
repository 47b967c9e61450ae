// Opening and saving a table's pair of files.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "model/protecter.h"
#include "settings/options.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_names.h"
#include "support/file_system.h"
#include "support/xml_file.h"
#include "table/table.h"

namespace mervanta {

namespace {

constexpr const char* kSaveFailed = "Cannot save file";

// The table keeps its file's full name, because opening it changes the current directory.
std::string AbsolutePath(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.lexically_normal().string();
}

// Only where the file dialogs start; the table never relies on it, so a failure is ignored.
void ChangeToFolderOf(const std::string& path) {
  std::error_code error;
  std::filesystem::current_path(std::filesystem::path(path).parent_path(), error);
}

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
  const std::string description = TTable::DescriptionFileName(dataFile);
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

std::string TTable::DescriptionFileName(const std::string& dataFileName) {
  const std::size_t slash = dataFileName.rfind('/');
  const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
  const std::size_t dot = dataFileName.rfind('.');
  // As for the display name, a leading dot does not start an extension.
  const std::size_t end = dot == std::string::npos || dot <= nameStart ? dataFileName.size() : dot;
  return dataFileName.substr(0, end) + ".kx";
}

void TTable::Open(const std::string& fileName, const std::string& password, bool readOnly) {
  FileName_ = AbsolutePath(fileName);
  Password_ = password;
  ChangeToFolderOf(FileName_);
  try {
    Files_ = TFilePair(FileName_, DescriptionFileName());
    if (readOnly || Files_.Lock() != TLockedFile::TStatus::Held) ReadOnly_ = true;
    TFilePair::TContent content = Files_.Read();
    LoadDescription(content.Description);
    const int fieldCount = LoadData(content.Data);
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
  if (!text) return;  // a table without a description file gets the defaults
  TXmlFile document;
  document.LoadFromString(*text);
  TXmlTag& root = *document.Root();
  Columns().LoadFromXml(*root.Child("Columns"));
  Options_->LoadFromXml(*root.Child("Options"));
  Sources_->All.SetDenySort(Options_->DenySort->Value());
  if (SaveSelection()) Sources_->LoadViewState(root);
}

int TTable::LoadData(std::string& bytes) {
  TRecords& all = Sources_->All;
  if (Password_.empty()) return all.LoadText(bytes, 0);
  return all.LoadBinary(TProtecter::LoadProtected(bytes, Password_));
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
  while (root.FindChild("LastSession") != nullptr) root.DeleteChild("LastSession");
  if (SaveSelection()) {
    Sources_->SaveViewState(root);
  } else {
    while (root.FindChild("Session") != nullptr) root.DeleteChild("Session");
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
  const std::string target = AbsolutePath(fileName);
  if (Files_.Locked() && SameFile(target, FileName_)) {
    Save();
  } else {
    CheckFileNames(target);
    // The new file is locked before anything is written, so that a table another copy of
    // the program holds is never overwritten.
    TCreatedFile created(target);
    TFilePair files(target, DescriptionFileName(target));
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
