#include "support/file_journal.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/commit_place.h"
#include "support/commit_recovery.h"
#include "support/file_io.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

using namespace std::string_literals;

TEST(FileJournal, PathsOfAnyBytesComeBackAsTheyWere) {
  TFileJournal journal;
  journal.State = TFileJournal::TState::Committed;
  journal.Entries = {{"/a b/t.csv", "/a b/.t.csv.x\nend\n7:y.mervanta-new", ""},
                     {"/12:3/t.kx", "", "/state/.1-2.abcdefgh.mervanta-old"}};
  const std::optional<TFileJournal> decoded = TFileJournal::Decode(journal.Encode());
  ASSERT_TRUE(decoded);
  EXPECT_EQ(decoded->State, TFileJournal::TState::Committed);
  ASSERT_EQ(decoded->Entries.size(), 2u);
  for (std::size_t i = 0; i < 2; ++i) {
    EXPECT_EQ(decoded->Entries[i].Target, journal.Entries[i].Target);
    EXPECT_EQ(decoded->Entries[i].Temporary, journal.Entries[i].Temporary);
    EXPECT_EQ(decoded->Entries[i].Backup, journal.Entries[i].Backup);
  }
}

TEST(FileJournal, AnythingElseIsNoJournal) {
  TFileJournal journal;
  journal.Entries = {{"/t.csv", "/.t.csv.abcdefgh.mervanta-new", ""}};
  const std::string good = journal.Encode();
  ASSERT_TRUE(TFileJournal::Decode(good));
  for (const std::string& bad : std::vector<std::string>{
           "", good.substr(0, good.size() - 1), good + "x", "mervanta-journal 2 prepared\nend\n",
           "mervanta-journal 1 prepared\nend\n", "mervanta-journal 1 done\nrename 1:a 1:b\nend\n",
           "mervanta-journal 1 prepared\nrename 9:a 1:b\nend\n",
           "mervanta-journal 1 prepared\nrename 0: 1:b\nend\n",
           "mervanta-journal 1 prepared\nrename 1:\0 1:b\nend\n"s}) {
    SCOPED_TRACE(bad);
    EXPECT_FALSE(TFileJournal::Decode(bad));
  }
}

// A journal planted beside a table may only name the table's files and new files or backups
// of its own: one that would move anything else is removed unread.
TEST(FileJournal, RecoveryFollowsNoJournalThatNamesOtherFiles) {
  test::TTempDir dir;
  const std::string data = dir.Write("t.csv", "data");
  const std::string other = dir.Write("other", "other");
  const std::string stranger = dir.Write("stranger.mervanta-new", "stranger");
  const TCommitPlace place = TCommitPlace::Beside(data);
  const std::string ours = place.NewName("new");
  for (const TFileJournal::TEntry& entry :
       {TFileJournal::TEntry{other, ours, ""}, TFileJournal::TEntry{data, stranger, ""},
        TFileJournal::TEntry{data, "", other}}) {
    SCOPED_TRACE(entry.Target + " " + entry.Temporary + entry.Backup);
    dir.Write(ours.substr(dir.Path().size() + 1), "planted");
    TFileJournal journal;
    journal.State =
        entry.Backup.empty() ? TFileJournal::TState::Committed : TFileJournal::TState::Prepared;
    journal.Entries = {entry};
    ASSERT_EQ(WriteJournal(place, journal, data), 0);
    RecoverFiles(data, {data, dir.File("t.kx")}, nullptr);
    EXPECT_FALSE(std::filesystem::exists(place.JournalPath()));
    EXPECT_EQ(ReadWholeFile(data), "data");
    EXPECT_EQ(ReadWholeFile(other), "other");
    EXPECT_EQ(ReadWholeFile(stranger), "stranger");
  }
}

}  // namespace
}  // namespace mervanta
