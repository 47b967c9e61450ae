// The table as several processes see it: the lock between two copies of the program, saves
// killed halfway and saves that the system stops.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>

#include "support/errors.h"
#include "support/file_io.h"
#include "table/table.h"
#include "table_fixture.h"

namespace mervanta::test {
namespace {

using namespace std::chrono_literals;

// The exit code of a child process, or -1 when it did not exit by itself within the time.
int WaitForChild(pid_t pid, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  int status = 0;
  while (::waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(2ms);
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

pid_t StartChild(const std::function<int()>& body) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    int code = 99;
    try {
      code = body();
    } catch (...) {
    }
    ::_exit(code);
  }
  return pid;
}

// Runs the body in a copy of this process; its result is the exit code.
int RunInChild(const std::function<int()>& body) {
  return WaitForChild(StartChild(body), 60s);
}

// 0 when the save failed and left the table modified.
int SaveFails(TTable& table) {
  try {
    table.Save();
  } catch (const EMervantaError&) {
    return table.Modified() ? 0 : 2;
  }
  return 1;
}

// The table of a child that saves: closing it must not write the view state, so that the
// files stay as the save left them.
void OpenInChild(TTable& table, const std::string& path) {
  Options().Other->SaveSelection->SetValue(false);
  table.Open(path, "", false);
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

std::string GeneratedData(int count) {
  std::string data;
  for (int i = 0; i < count; ++i) {
    data += "Name " + std::to_string(i) + ";City " + std::to_string(i % 977) + ";" +
            std::to_string(i * 7919 % 100000) + ".50;" + std::to_string(1 + i % 28) +
            ".02.2003;\"notes; with \"\"quotes\"\" " + std::to_string(i) + "\"\r\n";
  }
  return data;
}

void RemoveTemporaryFiles(const std::string& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(".")) std::filesystem::remove(entry);
  }
}

// A save killed at any moment leaves each file with its old or its new content, never a mix.
TEST(TableProcesses, KilledSavesLeaveTheOldOrTheNewContent) {
  const TTableFolder folder;
  const std::string oldData = GeneratedData(100000);
  const std::string oldDescription = "<Table><Extra value=\"old\" /></Table>";
  const std::string path = folder.Write("big.csv", oldData);
  const std::string description = folder.Write("big.kx", oldDescription);
  TTable table;
  table.Open(path, "", false);
  table.Sources().All.Item(0).Fields().SetField(0, "changed");
  AddRecord(table, {"added"});

  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(RunInChild([&table] {
              table.Save();
              return 0;
            }),
            0);
  const auto saveTime = std::chrono::steady_clock::now() - start;
  const std::string newData = ReadWholeFile(path);
  const std::string newDescription = ReadWholeFile(description);
  ASSERT_NE(newData, oldData);
  ASSERT_NE(newDescription, oldDescription);

  constexpr int kKills = 50;
  int oldSeen = 0;
  for (int i = 0; i < kKills; ++i) {
    SCOPED_TRACE(i);
    folder.Write("big.csv", oldData);
    folder.Write("big.kx", oldDescription);
    const pid_t pid = StartChild([&table] {
      table.Save();
      return 0;
    });
    // From at once to a little after a whole save.
    std::this_thread::sleep_for(saveTime * i / (kKills - 10));
    ::kill(pid, SIGKILL);
    WaitForChild(pid, 60s);

    const std::string data = ReadWholeFile(path);
    ASSERT_TRUE(data == oldData || data == newData) << "a data file of " << data.size() << " bytes";
    const std::string text = ReadWholeFile(description);
    ASSERT_TRUE(text == oldDescription || text == newDescription) << text;
    if (data == oldData) ++oldSeen;
    RemoveTemporaryFiles(folder.Path());
  }
  RecordProperty("KillsBeforeTheDataWasReplaced", oldSeen);
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
              OpenInChild(table, Data);
              for (int i = 0; i < 2000; ++i) AddRecord(table, {"record", std::to_string(i)});
              LimitFileSize(4096);
              return SaveFails(table);
            }),
            0);
  ExpectOldFiles();
}

// The data is written first; when the description then fails, the new records open with the
// old description.
TEST_F(TableSaveFailureTest, FullDiskDuringTheDescriptionLeavesAPairThatOpens) {
  EXPECT_EQ(RunInChild([this] {
              TTable table;
              OpenInChild(table, Data);
              AddRecord(table, {"c", "d"});
              table.Columns()[0].Description->SetValue(std::string(8000, 'x'));
              LimitFileSize(4096);
              return SaveFails(table);
            }),
            0);
  EXPECT_EQ(ReadWholeFile(Description), "<Table><Extra value=\"1\" /></Table>");
  TTable reopened;
  reopened.Open(Data, "", false);
  EXPECT_EQ(Rows(reopened), "a|b/c|d");
  EXPECT_EQ(Captions(reopened.Columns()), "Column1 Column2");
}

TEST_F(TableSaveFailureTest, FolderWithoutWriteAccessLeavesBothOldFiles) {
  EXPECT_EQ(RunInChild([this] {
              // The superuser writes anywhere: the save runs as nobody, who owns the files
              // but not the folder.
              if (::geteuid() == 0) {
                constexpr uid_t kNobody = 65534;
                if (::chown(Data.c_str(), kNobody, kNobody) != 0 ||
                    ::chown(Description.c_str(), kNobody, kNobody) != 0 ||
                    ::chmod(Folder.Path().c_str(), 0755) != 0 || ::setgid(kNobody) != 0 ||
                    ::setuid(kNobody) != 0) {
                  return 10;
                }
              } else if (::chmod(Folder.Path().c_str(), 0555) != 0) {
                return 10;
              }
              TTable table;
              OpenInChild(table, Data);
              if (table.ReadOnly()) return 11;
              AddRecord(table, {"c", "d"});
              return SaveFails(table);
            }),
            0);
  ExpectOldFiles();
}

}  // namespace
}  // namespace mervanta::test
