// Every system call of a save failing in turn: the table's two files keep the old pair or,
// once the save's journal committed it, count as the new one; the table stays modified and
// says why; the next save, or the next opening, puts the new pair in place and leaves nothing
// else behind.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include "model/protecter.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "support/file_snapshot.h"
#include "support/locked_file.h"
#include "table/table.h"
#include "table_fixture.h"
#include "test_support/child_process.h"
#include "test_support/file_faults.h"

namespace mervanta::test {
namespace {

constexpr const char* kCallNames[kFileCallKinds] = {
    "Open",   "Read",       "Write",       "Sync",      "Truncate", "Rename",    "Link",
    "Unlink", "ChangeMode", "ChangeOwner", "Attribute", "Lock",     "MakeFolder"};

// The errno a call fails with: a full disk for writes; refusals where a refusal chooses
// another way to save; otherwise an input/output error.
int ErrorFor(TFileCall call) {
  switch (call) {
    case TFileCall::Write:
      return ENOSPC;
    case TFileCall::ChangeOwner:
    case TFileCall::Attribute:
      return EPERM;
    default:
      return EIO;
  }
}

struct TLayout {
  const char* Name;
  bool DataLinked;         // a second hard link to the data file: it is rewritten in place
  bool DescriptionLinked;  // the same for the description
  bool DescriptionMissing;
};

void PrintTo(const TLayout& layout, std::ostream* out) {
  *out << layout.Name;
}

struct TPair {
  std::string Data;
  std::optional<std::string> Description;
  bool operator==(const TPair&) const = default;
};

std::optional<std::string> ReadIfThere(const std::string& path) {
  if (!std::filesystem::exists(path)) return std::nullopt;
  return ReadWholeFile(path);
}

void WriteInPlace(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// A table "t" in a folder, its old pair and the new pair a change makes of it.
class TSaveFaultRun {
 public:
  TSaveFaultRun(const std::string& folder, const TLayout& layout)
      : Layout_(layout), Data_(folder + "/t.csv"), Description_(folder + "/t.kx"), Folder_(folder) {
    WriteInPlace(Data_, "a;b\r\nc;d\r\n");
    Old_ = SavedUnchanged();
    New_ = SavedChanged();
    if (Layout_.DataLinked) std::filesystem::create_hard_link(Data_, Folder_ + "/link.csv");
    if (Layout_.DescriptionLinked) {
      std::filesystem::create_hard_link(Description_, Folder_ + "/link.kx");
    }
    Names_ = NamesIn(Folder_);
    WriteOld();
  }

  const std::string& DataFile() const { return Data_; }

  // A description of the first way the saves went wrong, or "".
  std::string Run(const std::string& stateFolder) const {
    for (int kind = 0; kind < kFileCallKinds; ++kind) {
      const auto call = static_cast<TFileCall>(kind);
      for (int index = 1;; ++index) {
        bool fired = false;
        const std::string fault = RunOne(call, index, fired);
        const std::string where = std::string(kCallNames[kind]) + " #" + std::to_string(index);
        if (!fault.empty()) return where + ": " + fault;
        if (!fired) break;
        if (NamesIn(Folder_) != Names_) return where + ": files were left in the folder";
        if (!NamesIn(stateFolder).empty()) return where + ": files were left in the state folder";
      }
    }
    return "";
  }

 private:
  TPair OnDisk() const { return {ReadWholeFile(Data_), ReadIfThere(Description_)}; }

  TPair SavedUnchanged() const {
    TTable table;
    table.Open(Data_, "", false);
    table.Save();
    return {ReadWholeFile(Data_),
            Layout_.DescriptionMissing ? std::nullopt : ReadIfThere(Description_)};
  }

  TPair SavedChanged() const {
    TTable table;
    table.Open(Data_, "", false);
    Change(table);
    table.Save();
    return OnDisk();
  }

  // Both files change: a record is added and a column renamed.
  static void Change(TTable& table) {
    AddRecord(table, {"e", "f"});
    table.Columns()[0].Caption->SetValue("First");
  }

  void WriteOld() const {
    WriteInPlace(Data_, Old_.Data);
    if (Old_.Description) {
      WriteInPlace(Description_, *Old_.Description);
    } else {
      std::filesystem::remove(Description_);
    }
  }

  bool Linked() const {
    return (!Layout_.DataLinked || ReadWholeFile(Folder_ + "/link.csv") == ReadWholeFile(Data_)) &&
           (!Layout_.DescriptionLinked ||
            ReadWholeFile(Folder_ + "/link.kx") == ReadWholeFile(Description_));
  }

  TPair ReadTogether() const {
    std::vector<TFileContent> files = ReadFilesTogether(Data_, {Data_, Description_});
    return {files[0].Bytes, files[1].Failure ? std::nullopt : std::optional(files[1].Bytes)};
  }

  std::string RunOne(TFileCall call, int index, bool& fired) const {
    WriteOld();
    const int error = ErrorFor(call);
    {
      TTable table;
      table.Open(Data_, "", false);
      Change(table);
      std::string message;
      {
        TFileFaults faults;
        faults.Fail(call, index, error);
        try {
          table.Save();
        } catch (const EMervantaError& failure) {
          message = failure.what();
        }
        fired = faults.Fired();
      }
      if (message.empty()) {
        if (table.Modified()) return "saved but still modified";
        if (OnDisk() != New_) return "saved but the files are not the new pair";
      } else {
        if (!fired) return "failed without a fault: " + message;
        if (!table.Modified()) return "failed but no longer modified: " + message;
        if (message.find(std::strerror(error)) == std::string::npos ||
            message.find(Folder_ + "/t.") == std::string::npos) {
          return "the message names no file or reason: " + message;
        }
        const TPair now = OnDisk();
        const bool journal = std::filesystem::exists(Folder_ + "/.t.csv.mervanta-journal");
        if (now != Old_ && now != New_ && !journal) return "a mixed pair without a journal";
        const TPair read = ReadTogether();
        if (read != Old_ && read != New_) return "a reader saw a mixed pair";
        TLockedFile probe;
        if (probe.Acquire(Data_) != TLockedFile::TStatus::LockedByOther) {
          return "the table lost its lock";
        }
        table.Save();
      }
      if (OnDisk() != New_) return "the next save did not give the new pair";
      if (!Linked()) return "a hard link was broken";
    }
    TTable reopened;
    reopened.Open(Data_, "", false);
    if (OnDisk() != New_) return "reopening changed the new pair";
    return "";
  }

  TLayout Layout_;
  std::string Data_;
  std::string Description_;
  std::string Folder_;
  TPair Old_;
  TPair New_;
  std::vector<std::string> Names_;
};

class TableSaveFaultTest : public testing::TestWithParam<TLayout> {};

TEST_P(TableSaveFaultTest, EveryFailingCallLeavesTheOldOrTheNewPair) {
  const TTableFolder folder;
  const TTempDir state;
  const TSaveFaultRun run(folder.Path(), GetParam());
  EXPECT_EQ(run.Run(state.Path()), "");
}

INSTANTIATE_TEST_SUITE_P(Table, TableSaveFaultTest,
                         testing::Values(TLayout{"Renamed", false, false, false},
                                         TLayout{"NewDescription", false, false, true},
                                         TLayout{"InPlace", true, true, false},
                                         TLayout{"DataInPlace", true, false, false}),
                         [](const testing::TestParamInfo<TLayout>& info) {
                           return info.param.Name;
                         });

// A folder where the user may not create files: both files are rewritten in place, with the
// journal and the backups in the user's state folder.
TEST(TableSaveFaults, AFolderTheUserCannotWriteKeepsItsFilesWhole) {
  const TTableFolder folder;
  const TTempDir state;
  const TSaveFaultRun run(folder.Path(), {"ReadOnlyFolder", false, false, false});
  if (::geteuid() == 0) {
    for (const std::string& path : {run.DataFile(), folder.File("t.kx"), state.Path()}) {
      ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
  } else {
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
  }
  const std::string report = state.File("report");
  ASSERT_EQ(RunAsNobody([&] {
              ::setenv("XDG_STATE_HOME", state.Path().c_str(), 1);
              const std::string outcome = run.Run(state.Path() + "/mervanta");
              std::ofstream(report) << outcome;
              return 0;
            }),
            0);
  EXPECT_EQ(ReadWholeFile(report), "");
}

struct TStoppedSaveCase {
  const char* Name;
  bool Linked;  // rewritten in place
  TFileCall Call;
  int Index;  // this call of the kind and every later one fails
  bool CountsAsNew;
};

class TableStoppedSaveTest : public testing::TestWithParam<TStoppedSaveCase> {};

// A save stopped for good when the disk failed: once its journal committed it, readers take
// the new pair without writing anything and an opening for writing completes it; a file half
// rewritten in place before that, whose backup could not be written back either, reads from
// the backup and gets it back when the table is opened for writing.
TEST_P(TableStoppedSaveTest, ReadsAndIsRepairedAsTheJournalSays) {
  const TStoppedSaveCase& c = GetParam();
  const TTableFolder folder;
  const std::string path = folder.Write("t.csv", "a;b\r\n");
  if (c.Linked) std::filesystem::create_hard_link(path, folder.File("link.csv"));
  std::vector<std::string> names;
  std::string newData = "b;a\r\n";
  {
    TTable writer;
    OpenAndChange(writer, path, 100);
    names = NamesIn(folder.Path());
    for (int i = 0; i < 100; ++i) newData += "d;c\r\n";
    TFileFaults faults;
    faults.Fail(c.Call, c.Index, EIO, true);
    EXPECT_THROW(writer.Save(), EMervantaError);
  }
  const std::string stopped = ReadWholeFile(path);
  for (const bool readOnly : {true, false}) {
    SCOPED_TRACE(readOnly);
    TTable reader;
    reader.Open(path, "", readOnly);
    EXPECT_EQ(Captions(reader.Columns()), c.CountsAsNew ? "Column2 Column1" : "Column1 Column2");
    EXPECT_EQ(reader.Sources().All.Count(), c.CountsAsNew ? 101 : 1);
    EXPECT_EQ(ReadWholeFile(path), readOnly ? stopped : c.CountsAsNew ? newData : "a;b\r\n");
  }
  EXPECT_EQ(NamesIn(folder.Path()), names);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TableStoppedSaveTest,
    testing::Values(
        // The journal's own rename is the first.
        TStoppedSaveCase{"AfterTheCommit", false, TFileCall::Rename, 2, true},
        // The backup's truncation is the first.
        TStoppedSaveCase{"HalfWrittenInPlace", true, TFileCall::Truncate, 2, false}),
    [](const testing::TestParamInfo<TStoppedSaveCase>& info) { return info.param.Name; });

// The question for the password looks at what the table will read: the protected data file of
// a save stopped after its commit, while the plain one is still in its place.
TEST(TableSaveFaults, AProtectionSavedUpToItsCommitIsAskedFor) {
  const TTableFolder folder;
  const std::string path = folder.Write("t.csv", "a;b\r\n");
  {
    TTable writer;
    writer.Open(path, "", false);
    writer.SetPassword("pw");
    TFileFaults faults;
    faults.Fail(TFileCall::Rename, 2, EIO, true);  // after the journal's
    EXPECT_THROW(writer.Save(), EMervantaError);
  }
  ASSERT_FALSE(ReadWholeFile(path).starts_with("PASSWORDED"));
  EXPECT_TRUE(TProtecter::IsProtected(path));
  EXPECT_TRUE(TProtecter::CheckPassword(path, "pw"));
  TTable reader;
  reader.Open(path, "pw", true);
  EXPECT_EQ(Rows(reader), "a|b");
}

}  // namespace
}  // namespace mervanta::test
