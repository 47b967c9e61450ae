#include "table/file_pair.h"

#include <fcntl.h>

#include <cerrno>

#include "support/commit_recovery.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_snapshot.h"

namespace mervanta {

TLockedFile::TStatus TFilePair::Lock() {
  const TLockedFile::TStatus status = Lock_.Acquire(DataFile_);
  if (status == TLockedFile::TStatus::Held) {
    try {
      RecoverFiles(DataFile_, {DataFile_, DescriptionFile_}, &Lock_);
      RemoveLeftovers(DataFile_, {DataFile_, DescriptionFile_});
    } catch (...) {
      Lock_.Release();
      throw;
    }
  }
  return status;
}

void TFilePair::Read(const TLoad& load) const {
  ReadFilesTogether(DataFile_, {DataFile_, DescriptionFile_},
                    [this, &load](const std::vector<TOpenedFile>& files) {
                      if (files[0].Failure) std::rethrow_exception(files[0].Failure);
                      std::optional<std::string> description;
                      if (!files[1].Failure) {
                        try {
                          description = ReadToEnd(files[1].Fd, DescriptionFile_);
                        } catch (const EMervantaError&) {
                          // read as missing
                        }
                      }
                      load(files[0].Fd, description);
                    });
}

void TFilePair::Save(const TFileCommit::TWrite& writeData, std::string description) {
  TFileCommit commit(DataFile_, &Lock_);
  commit.Add(DataFile_, writeData);
  commit.Add(DescriptionFile_, [&description](TFileWriter& writer) { writer.Write(description); });
  commit.Commit();
}

void TFilePair::UpdateDescription(const std::function<std::string(std::string)>& update) {
  TLockedFile ownLock;
  TLockedFile* lock = &Lock_;
  if (!Lock_.IsHeld()) {
    switch (ownLock.Acquire(DataFile_, TLockedFile::TAccess::Read)) {
      case TLockedFile::TStatus::Held:
        lock = &ownLock;
        break;
      case TLockedFile::TStatus::LockedByOther:
        return;
      case TLockedFile::TStatus::Failed:
        RaiseFileError("Cannot save file", DataFile_, ownLock.LastError());
    }
    RecoverFiles(DataFile_, {DataFile_, DescriptionFile_}, lock);
  }
  TFileDescriptor fd;
  const int error = TryOpenRegularFile(DescriptionFile_, O_RDONLY, fd);
  if (error == ENOENT) return;
  if (error != 0) RaiseFileError("Cannot open file", DescriptionFile_, error);
  const std::string description = update(ReadToEnd(fd.Get(), DescriptionFile_));
  TFileCommit commit(DataFile_, lock);
  commit.Add(DescriptionFile_, [&description](TFileWriter& writer) { writer.Write(description); });
  commit.Commit();
}

}  // namespace mervanta
