#include "support/atomic_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <filesystem>

#include "support/errors.h"
#include "support/file_commit.h"
#include "support/file_io.h"
#include "support/locked_file.h"
#include "test_support/child_process.h"
#include "test_support/error_text.h"
#include "test_support/file_faults.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

using test::ErrorOf;

int FilesIn(const std::string& folder) {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    (void)entry;
    ++count;
  }
  return count;
}

TEST(AtomicFile, ReplacesContentAndKeepsPermissions) {
  test::TTempDir dir;
  const std::string path = dir.Write("table.csv", "old content");
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  ReplaceFileAtomically(path, "new");
  EXPECT_EQ(ReadWholeFile(path), "new");
  struct stat info {};
  ASSERT_EQ(::stat(path.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(FilesIn(dir.Path()), 1) << "no temporary file is left behind";
}

TEST(AtomicFile, CreatesNewFilesAndStreamsLargeContent) {
  test::TTempDir dir;
  const std::string path = dir.File("new.csv");
  std::string expected;
  ReplaceFileAtomically(path, [&](TFileWriter& writer) {
    for (int i = 0; i < 100000; ++i) {
      const std::string line = "record " + std::to_string(i) + "\r\n";
      writer.Write(line);
      expected += line;
    }
    writer.Write(std::string(200000, 'x'));
    writer.Write('!');
    expected += std::string(200000, 'x') + "!";
  });
  EXPECT_EQ(ReadWholeFile(path), expected);
}

TEST(AtomicFile, TheNewContentHasNoNameUntilItIsComplete) {
  test::TTempDir dir;
  const int probe = ::open(dir.Path().c_str(), O_TMPFILE | O_RDWR, 0600);
  if (probe < 0) GTEST_SKIP() << "the file system has no unnamed files";
  ::close(probe);
  const std::string path = dir.Write("table.csv", "old");
  int filesWhileWriting = -1;
  ReplaceFileAtomically(path, [&](TFileWriter& writer) {
    writer.Write("new");
    filesWhileWriting = FilesIn(dir.Path());
  });
  // A save killed while writing therefore leaves nothing behind.
  EXPECT_EQ(filesWhileWriting, 1);
  EXPECT_EQ(ReadWholeFile(path), "new");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

TEST(AtomicFile, ReplacesTheTargetOfASymbolicLink) {
  test::TTempDir dir;
  const std::string target = dir.Write("real.csv", "old");
  const std::string link = dir.File("link.csv");
  ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
  ASSERT_EQ(::symlink("link.csv", dir.File("chain.csv").c_str()), 0);
  ASSERT_EQ(::symlink("missing.csv", dir.File("dangling.csv").c_str()), 0);
  ReplaceFileAtomically(dir.File("chain.csv"), "new");
  ReplaceFileAtomically(dir.File("dangling.csv"), "made");
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("chain.csv")));
  EXPECT_EQ(ReadWholeFile(target), "new");
  EXPECT_TRUE(std::filesystem::is_symlink(dir.File("dangling.csv")));
  EXPECT_EQ(ReadWholeFile(dir.File("missing.csv")), "made");
}

// Rewritten in place rather than renamed: every link sees the new content.
TEST(AtomicFile, KeepsHardLinksAndExtendedAttributes) {
  test::TTempDir dir;
  const std::string path = dir.Write("table.csv", "old");
  ASSERT_EQ(::setxattr(path.c_str(), "user.note", "kept", 4, 0), 0);
  const std::string link = dir.File("link.csv");
  ASSERT_EQ(::link(path.c_str(), link.c_str()), 0);
  ReplaceFileAtomically(path, "new content");
  EXPECT_EQ(ReadWholeFile(link), "new content");
  std::filesystem::remove(link);
  ReplaceFileAtomically(path, "renamed");
  EXPECT_EQ(ReadWholeFile(path), "renamed");
  char value[8] = {};
  EXPECT_EQ(::getxattr(path.c_str(), "user.note", value, sizeof value), 4);
  EXPECT_STREQ(value, "kept");
  EXPECT_EQ(FilesIn(dir.Path()), 1);
}

// Neither waits for a FIFO's other end nor replaces a device, through a link or not.
TEST(AtomicFile, OnlyARegularFileIsReadOrReplaced) {
  test::TTempDir dir;
  const std::string fifo = dir.File("fifo");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string device = dir.File("device");
  ASSERT_EQ(::symlink("/dev/null", device.c_str()), 0);
  for (const std::string& path : {fifo, device}) {
    SCOPED_TRACE(path);
    const std::string expected = "\"" + path + "\" is not a regular file";
    EXPECT_EQ(test::RunInChild(
                  [&] {
                    const bool read = ErrorOf([&] { ReadRegularFile(path); }) == expected;
                    const bool replaced =
                        ErrorOf([&] { ReplaceFileAtomically(path, "x"); }) == expected;
                    return read && replaced ? 0 : 1;
                  },
                  std::chrono::seconds(10)),
              0);
  }
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_EQ(FilesIn(dir.Path()), 2);
}

TEST(AtomicFile, AFailureLeavesTheOldFileAndNamesTheFile) {
  test::TTempDir dir;
  const std::string path = dir.Write("table.csv", "precious");
  const std::string writerError = ErrorOf([&] {
    ReplaceFileAtomically(path, [](TFileWriter& writer) {
      writer.Write("half");
      throw EMervantaError("Disk full while writing");
    });
  });
  EXPECT_EQ(writerError, "Disk full while writing");
  EXPECT_EQ(ReadWholeFile(path), "precious");
  EXPECT_EQ(FilesIn(dir.Path()), 1);

  const std::string missingFolder = dir.File("gone/table.csv");
  const std::string folderError = ErrorOf([&] { ReplaceFileAtomically(missingFolder, "x"); });
  EXPECT_NE(folderError.find(missingFolder), std::string::npos) << folderError;
  EXPECT_NE(folderError.find("No such file or directory"), std::string::npos) << folderError;

  std::filesystem::create_directory(dir.File("folder.csv"));
  const std::string renameError =
      ErrorOf([&] { ReplaceFileAtomically(dir.File("folder.csv"), "x"); });
  EXPECT_NE(renameError.find("folder.csv"), std::string::npos) << renameError;
  EXPECT_EQ(FilesIn(dir.Path()), 2);

  for (int kind = 0; kind < kFileCallKinds; ++kind) {
    for (int index = 1;; ++index) {
      SCOPED_TRACE(testing::Message() << "call " << kind << " #" << index);
      std::string error;
      {
        test::TFileFaults faults;
        faults.Fail(static_cast<TFileCall>(kind), index, EIO);
        error = ErrorOf([&] { ReplaceFileAtomically(path, "new"); });
        if (!faults.Fired()) break;
      }
      const std::string content = ReadWholeFile(path);
      if (error == "no error") {
        EXPECT_EQ(content, "new");
      } else {
        EXPECT_NE(error.find(path), std::string::npos) << error;
        EXPECT_TRUE(content == "precious" || content == "new") << content;
      }
      EXPECT_EQ(FilesIn(dir.Path()), 2);
      dir.Write("table.csv", "precious");
    }
  }
}

TEST(LockedFile, ASecondHolderIsToldTheFileIsLocked) {
  test::TTempDir dir;
  const std::string path = dir.Write("table.csv", "a");
  TLockedFile first, second;
  EXPECT_EQ(first.Acquire(path), TLockedFile::TStatus::Held);
  EXPECT_EQ(second.Acquire(path), TLockedFile::TStatus::LockedByOther);
  first.Release();
  EXPECT_EQ(second.Acquire(path), TLockedFile::TStatus::Held);
  EXPECT_EQ(first.Acquire(dir.File("missing.csv")), TLockedFile::TStatus::Failed);
  EXPECT_NE(first.LastError(), 0);
}

// A save of another holder renames a new file over the path between the opening and the
// locking: the lock of the replaced file is let go and the new file's taken instead.
TEST(LockedFile, IsOnlyHeldOnTheFileThePathNames) {
  test::TTempDir dir;
  const std::string path = dir.Write("table.csv", "old");
  const std::string replacement = dir.Write("new.csv", "new");
  TLockedFile lock;
  {
    test::TFileFaults faults;
    faults.Before = [&](TFileCall call, int index) {
      if (call == TFileCall::Lock && index == 1) ::rename(replacement.c_str(), path.c_str());
    };
    ASSERT_EQ(lock.Acquire(path), TLockedFile::TStatus::Held);
    EXPECT_EQ(faults.Count(TFileCall::Lock), 2);
  }
  EXPECT_EQ(ReadToEnd(lock.Handle(), path), "new");
}

TEST(LockedFile, TheLockMovesToTheReplacedFile) {
  test::TTempDir dir;
  const std::string path = dir.Write("table.csv", "old");
  TLockedFile lock;
  ASSERT_EQ(lock.Acquire(path), TLockedFile::TStatus::Held);
  TFileCommit commit(path, &lock);
  commit.Add(path, [](TFileWriter& writer) { writer.Write("new"); });
  commit.Commit();
  EXPECT_TRUE(lock.IsHeld());
  TLockedFile other;
  EXPECT_EQ(other.Acquire(path), TLockedFile::TStatus::LockedByOther);
  lock = TLockedFile();
  EXPECT_EQ(other.Acquire(path), TLockedFile::TStatus::Held);
  EXPECT_EQ(ReadWholeFile(path), "new");
}

TEST(FileIo, ReadingAMissingFileNamesIt) {
  const std::string error = ErrorOf([] { ReadWholeFile("/nonexistent/table.csv"); });
  EXPECT_EQ(error, "Cannot open file \"/nonexistent/table.csv\". No such file or directory");
  test::TTempDir dir;
  EXPECT_NE(ErrorOf([&] { ReadWholeFile(dir.Path()); }).find("Is a directory"), std::string::npos);
}

}  // namespace
}  // namespace mervanta
