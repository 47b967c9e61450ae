// The table as several processes see it: the lock between two copies of the program, saves
// killed halfway and saves that the system stops.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_snapshot.h"
#include "table/file_pair.h"
#include "table/table.h"
#include "table_fixture.h"
#include "test_support/child_process.h"
#include "test_support/file_faults.h"

namespace mervanta::test {
namespace {

using namespace std::chrono_literals;

// 0 when the save failed and left the table modified.
int SaveFails(TTable& table) {
  try {
    table.Save();
  } catch (const EMervantaError&) {
    return table.Modified() ? 0 : 2;
  }
  return 1;
}

// Files beyond `bytes` cannot be written, as on a full disk.
void LimitFileSize(rlim_t bytes) {
  ::signal(SIGXFSZ, SIG_IGN);
  const rlimit limit{bytes, bytes};
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

TEST(TableProcesses, SecondProcessGetsAHeldTableReadOnly) {
  const TTableFolder folder;
  const std::string path = folder.Write("t.csv", "a;b\r\n");
  // 2 read-only, 1 writable.
  const auto openElsewhere = [&path] {
    return RunInChild([&path] {
      TTable other;
      other.Open(path, "", false);
      if (Rows(other) != "a|b") return 3;
      return other.ReadOnly() ? 2 : 1;
    });
  };
  {
    TTable first;
    first.Open(path, "", false);
    EXPECT_EQ(openElsewhere(), 2);
  }
  EXPECT_EQ(openElsewhere(), 1);
}

// Another copy of the program saves between this one's opening the data file and taking its
// lock: the lock of the file the save replaced guards nothing, so this copy must not write.
TEST(TableProcesses, ALockOnAReplacedFileIsNoLock) {
  const TTableFolder folder;
  const std::string path = folder.Write("t.csv", "a\r\n");
  TTable first;
  first.Open(path, "", false);
  AddRecord(first, {"b"});
  TTable second;
  {
    TFileFaults faults;
    bool saved = false;
    faults.Before = [&](TFileCall call, int) {
      if (call == TFileCall::Lock && !std::exchange(saved, true)) first.Save();
    };
    second.Open(path, "", false);
    ASSERT_TRUE(saved);
  }
  EXPECT_TRUE(second.ReadOnly());
  EXPECT_EQ(Rows(second), "a/b");
}

// A save lands after a reader opened the data file and before it opened the description: the
// reader reads both again rather than put the new columns over the old records.
TEST(TableProcesses, AReaderNeverTakesOneFileOldAndTheOtherNew) {
  const TTableFolder folder;
  const std::string path = folder.Write("t.csv", "a;b\r\n");
  TTable writer;
  OpenAndChange(writer, path);
  TTable reader;
  {
    TFileFaults faults;
    bool saved = false;
    faults.Before = [&](TFileCall call, int index) {
      if (call == TFileCall::Open && index == 2 && !std::exchange(saved, true)) writer.Save();
    };
    reader.Open(path, "", true);
    ASSERT_TRUE(saved);
  }
  EXPECT_EQ(Captions(reader.Columns()), "Column2 Column1");
  EXPECT_EQ(Rows(reader), "b|a/d|c");
}

std::string GeneratedData(int count) {
  std::string data;
  for (int i = 0; i < count; ++i) {
    data += "Name " + std::to_string(i) + ";City " + std::to_string(i % 977) + ";" +
            std::to_string(i * 7919 % 100000) + ".50;" + std::to_string(1 + i % 28) +
            ".02.2003;\"notes; with \"\"quotes\"\" " + std::to_string(i) + "\"\r\n";
  }
  return data;
}

// A save killed at any moment leaves the old pair or the new one, never a mix, and nothing
// else once the table is opened again; every other time both files have a second hard link,
// so that they are rewritten in place.
TEST(TableProcesses, KilledSavesLeaveTheOldOrTheNewPair) {
  const TTableFolder folder;
  const std::string path = folder.Write("big.csv", GeneratedData(100000));
  const std::string description = folder.File("big.kx");
  {
    TTable table;
    table.Open(path, "", false);
    table.Save();
  }
  const std::string oldData = ReadWholeFile(path);
  const std::string oldDescription = ReadWholeFile(description);
  // Loaded and changed once; each kill is of a copy of this process saving it.
  TTable table;
  table.Open(path, "", false);
  table.Sources().All.Item(0).Fields().SetField(0, "changed");
  AddRecord(table, {"added"});
  table.Columns()[0].Caption->SetValue("Renamed");
  const auto save = [&table] {
    table.Save();
    return 0;
  };
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunInChild(save), 0);
  const auto saveTime = std::chrono::steady_clock::now() - start;
  const std::string newData = ReadWholeFile(path);
  const std::string newDescription = ReadWholeFile(description);
  ASSERT_NE(newData, oldData);
  ASSERT_NE(newDescription, oldDescription);

  constexpr int kKills = 40;
  int oldSeen = 0;
  for (int i = 0; i < kKills; ++i) {
    SCOPED_TRACE(i);
    // New files each time: this process keeps the lock of the file the table opened, and the
    // files must be free for the opening that repairs them.
    for (const auto& [file, bytes, link] :
         {std::tuple{path, oldData, folder.File("link.csv")},
          std::tuple{description, oldDescription, folder.File("link.kx")}}) {
      std::filesystem::remove(file);
      folder.Write(file.substr(folder.Path().size() + 1), bytes);
      std::filesystem::remove(link);
      if (i % 2 == 1) std::filesystem::create_hard_link(file, link);
    }
    const std::vector<std::string> names = NamesIn(folder.Path());
    const pid_t pid = StartChild(save);
    // From at once to a little after a whole save.
    std::this_thread::sleep_for(saveTime * (i / 2) / (kKills / 2 - 5));
    ::kill(pid, SIGKILL);
    WaitForChild(pid, 60s);

    const std::vector<TFileContent> read = ReadFilesTogether(path, {path, description});
    ASSERT_TRUE((read[0].Bytes == oldData && read[1].Bytes == oldDescription) ||
                (read[0].Bytes == newData && read[1].Bytes == newDescription))
        << "a reader saw a data file of " << read[0].Bytes.size() << " bytes beside "
        << read[1].Bytes;
    TFilePair repaired(path, description);
    ASSERT_EQ(repaired.Lock(), TLockedFile::TStatus::Held);
    const std::string data = ReadWholeFile(path);
    const std::string text = ReadWholeFile(description);
    ASSERT_TRUE((data == oldData && text == oldDescription) ||
                (data == newData && text == newDescription))
        << "a data file of " << data.size() << " bytes beside " << text;
    EXPECT_EQ(NamesIn(folder.Path()), names);
    if (data == oldData) ++oldSeen;
  }
  RecordProperty("KillsBeforeTheSaveCommitted", oldSeen);
}

class TableSaveFailureTest : public testing::Test {
 protected:
  TableSaveFailureTest()
      : Data(Folder.Write("t.csv", "a;b\r\n")),
        Description(Folder.Write("t.kx", "<Table><Extra value=\"1\" /></Table>")) {}

  void ExpectOldFiles() const {
    EXPECT_EQ(ReadWholeFile(Data), "a;b\r\n");
    EXPECT_EQ(ReadWholeFile(Description), "<Table><Extra value=\"1\" /></Table>");
  }

  const TTableFolder Folder;
  const std::string Data;
  const std::string Description;
};

TEST_F(TableSaveFailureTest, FullDiskDuringTheDataLeavesBothOldFiles) {
  EXPECT_EQ(RunInChild([this] {
              TTable table;
              table.Open(Data, "", false);
              for (int i = 0; i < 2000; ++i) AddRecord(table, {"record", std::to_string(i)});
              LimitFileSize(4096);
              return SaveFails(table);
            }),
            0);
  ExpectOldFiles();
}

TEST_F(TableSaveFailureTest, FullDiskDuringTheDescriptionLeavesBothOldFiles) {
  EXPECT_EQ(RunInChild([this] {
              TTable table;
              table.Open(Data, "", false);
              AddRecord(table, {"c", "d"});
              table.Columns()[0].Description->SetValue(std::string(8000, 'x'));
              LimitFileSize(4096);
              return SaveFails(table);
            }),
            0);
  ExpectOldFiles();
}

// Where the user may not create files, the files are rewritten in place, the journal and
// backups kept in the user's state folder; without one the save fails and changes nothing.
TEST_F(TableSaveFailureTest, AFolderWithoutWriteAccessIsSavedInPlaceOrNotAtAll) {
  const TTempDir state;
  if (::geteuid() == 0) {
    for (const std::string& path : {Data, Description, state.Path()}) {
      ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 0755), 0);
  } else {
    ASSERT_EQ(::chmod(Folder.Path().c_str(), 0555), 0);
  }
  const auto saveAsTheOwner = [this](const std::string& stateHome) {
    return RunAsNobody([this, &stateHome] {
      ::setenv("XDG_STATE_HOME", stateHome.c_str(), 1);
      TTable table;
      table.Open(Data, "", false);
      if (table.ReadOnly()) return 11;
      AddRecord(table, {"c", "d"});
      return SaveFails(table);
    });
  };
  EXPECT_EQ(saveAsTheOwner(Folder.File("no state here")), 0);
  ExpectOldFiles();

  struct stat before {};
  ASSERT_EQ(::stat(Data.c_str(), &before), 0);
  EXPECT_EQ(saveAsTheOwner(state.Path()), 1);
  EXPECT_EQ(ReadWholeFile(Data), "a;b\r\nc;d\r\n");
  struct stat after {};
  ASSERT_EQ(::stat(Data.c_str(), &after), 0);
  EXPECT_EQ(after.st_ino, before.st_ino);
  EXPECT_EQ(after.st_uid, before.st_uid);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(Folder.Path()), {}), 2);
  EXPECT_TRUE(std::filesystem::is_empty(state.File("mervanta")));
}

}  // namespace
}  // namespace mervanta::test
