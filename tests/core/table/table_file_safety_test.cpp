// What a save keeps of the files the user gave it, and the files it refuses to take for a
// table: anything but a regular file, and a data file named like its own description.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <tuple>

#include "model/protecter.h"
#include "support/errors.h"
#include "support/file_io.h"
#include "table/table.h"
#include "table_fixture.h"
#include "test_support/child_process.h"
#include "test_support/error_text.h"

namespace mervanta::test {
namespace {

struct stat StatusOf(const std::string& path) {
  struct stat info {};
  EXPECT_EQ(::stat(path.c_str(), &info), 0) << path;
  return info;
}

// Runs the action in a child process that must end within seconds: the actions here once
// waited forever on a FIFO.
int WithinSeconds(const std::function<int()>& action) {
  return RunInChild(action, std::chrono::seconds(10));
}

class TableFileSafetyTest : public testing::Test {
 protected:
  TableFileSafetyTest()
      : Data(Folder.Write("t.csv", "a;b\r\n")), Description(Folder.File("t.kx")) {}

  // Opens the table, adds a record and saves it.
  void AddAndSave(const std::string& path, const std::string& password = "") {
    TTable table;
    table.Open(path, password, false);
    AddRecord(table, {"c", "d"});
    table.Save();
  }

  TTableFolder Folder;
  const std::string Data;
  const std::string Description;
};

// An access control list that also lets user 1234 read, in the system's binary form: a
// version, then tag, permissions and id of each entry.
std::string ReadableByAnotherUser() {
  std::string acl;
  const auto append = [&acl](std::uint32_t value, std::size_t bytes) {
    for (std::size_t i = 0; i < bytes; ++i) acl += static_cast<char>(value >> (8 * i));
  };
  append(2, 4);
  const std::uint32_t kNoId = 0xFFFFFFFF;
  for (const auto& [tag, permissions, id] :
       {std::tuple{0x01u, 6u, kNoId}, std::tuple{0x02u, 4u, 1234u}, std::tuple{0x04u, 4u, kNoId},
        std::tuple{0x10u, 4u, kNoId}, std::tuple{0x20u, 0u, kNoId}}) {
    append(tag, 2);
    append(permissions, 2);
    append(id, 4);
  }
  return acl;
}

std::string AttributeOf(const std::string& path, const char* name) {
  std::string value(256, '\0');
  const ssize_t size = ::getxattr(path.c_str(), name, value.data(), value.size());
  value.resize(size < 0 ? 0 : static_cast<std::size_t>(size));
  return value;
}

TEST_F(TableFileSafetyTest, ASaveKeepsModeOwnerGroupAndExtendedAttributes) {
  AddAndSave(Data);
  const std::string acl = ReadableByAnotherUser();
  for (const std::string& path : {Data, Description}) {
    if (::geteuid() == 0) {
      ASSERT_EQ(::chown(path.c_str(), 1234, 5678), 0);
    }
    ASSERT_EQ(::setxattr(path.c_str(), "user.origin", "mine", 4, 0), 0);
    ASSERT_EQ(::setxattr(path.c_str(), "system.posix_acl_access", acl.data(), acl.size(), 0), 0);
    ASSERT_EQ(::chmod(path.c_str(), 02640), 0);
  }
  const struct stat before = StatusOf(Data);
  AddAndSave(Data);
  EXPECT_EQ(ReadWholeFile(Data), "a;b\r\nc;d\r\nc;d\r\n");
  for (const std::string& path : {Data, Description}) {
    SCOPED_TRACE(path);
    const struct stat after = StatusOf(path);
    EXPECT_EQ(after.st_mode & 07777, 02640u);
    EXPECT_EQ(after.st_uid, before.st_uid);
    EXPECT_EQ(after.st_gid, before.st_gid);
    EXPECT_EQ(AttributeOf(path, "user.origin"), "mine");
    EXPECT_EQ(AttributeOf(path, "system.posix_acl_access"), acl);
  }
}

// A second hard link sees what the save wrote: after a password is set it holds no plain text.
TEST_F(TableFileSafetyTest, HardLinksStayLinked) {
  AddAndSave(Data);
  const std::string link = Folder.File("link.csv");
  const std::string descriptionLink = Folder.File("link.kx");
  std::filesystem::create_hard_link(Data, link);
  std::filesystem::create_hard_link(Description, descriptionLink);
  {
    TTable table;
    table.Open(Data, "", false);
    table.SetPassword("secret");
    table.Columns()[0].Caption->SetValue("Renamed");
    table.Save();
  }
  EXPECT_TRUE(TProtecter::IsProtected(link));
  EXPECT_EQ(ReadWholeFile(link), ReadWholeFile(Data));
  EXPECT_NE(ReadWholeFile(descriptionLink).find("Renamed"), std::string::npos);
  EXPECT_EQ(StatusOf(link).st_nlink, 2u);
}

TEST_F(TableFileSafetyTest, SymbolicLinksSaveToTheirTargetsAndStayLinks) {
  ASSERT_TRUE(std::filesystem::create_directory(Folder.File("real")));
  const std::string realData = Folder.Write("real/data.csv", "a;b\r\n");
  const std::string realDescription = Folder.Write("real/data.kx", "<Table />");
  const std::string link = Folder.File("link.csv");
  std::filesystem::create_symlink("real/data.csv", link);
  std::filesystem::create_symlink(realDescription, Folder.File("link.kx"));
  AddAndSave(link);
  EXPECT_TRUE(std::filesystem::is_symlink(link));
  EXPECT_TRUE(std::filesystem::is_symlink(Folder.File("link.kx")));
  EXPECT_EQ(ReadWholeFile(realData), "a;b\r\nc;d\r\n");
  EXPECT_NE(ReadWholeFile(realDescription).find("Column1"), std::string::npos);
}

// A group member's save in a shared, sticky folder: renaming would make the files the
// member's own, so they are rewritten in place. A description the member may not write stops
// the save before the data file changes.
TEST_F(TableFileSafetyTest, AGroupMembersSaveLeavesTheFilesTheirOwners) {
  if (::geteuid() != 0) GTEST_SKIP() << "giving files to another owner takes the superuser";
  constexpr uid_t kOwner = 1234;
  constexpr gid_t kGroup = 5678;
  AddAndSave(Data);
  ASSERT_EQ(::chmod(Folder.Path().c_str(), 01777), 0);
  for (const std::string& path : {Data, Description}) {
    ASSERT_EQ(::chown(path.c_str(), kOwner, kGroup), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0664), 0);
  }
  const auto save = [this] {
    TTable table;
    table.Open(Data, "", false);
    if (table.ReadOnly()) return 11;
    AddRecord(table, {"e", "f"});
    try {
      table.Save();
    } catch (const EMervantaError&) {
      return 1;
    }
    return 0;
  };
  ASSERT_EQ(RunAsNobody(save, kGroup), 0);
  EXPECT_EQ(ReadWholeFile(Data), "a;b\r\nc;d\r\ne;f\r\n");
  for (const std::string& path : {Data, Description}) {
    const struct stat after = StatusOf(path);
    EXPECT_EQ(after.st_uid, kOwner);
    EXPECT_EQ(after.st_gid, kGroup);
    EXPECT_EQ(after.st_mode & 07777, 0664u);
  }

  const std::string description = ReadWholeFile(Description);
  ASSERT_EQ(::chmod(Description.c_str(), 0644), 0);
  EXPECT_EQ(RunAsNobody(save, kGroup), 1);
  EXPECT_EQ(ReadWholeFile(Data), "a;b\r\nc;d\r\ne;f\r\n");
  EXPECT_EQ(ReadWholeFile(Description), description);
}

TEST_F(TableFileSafetyTest, OnlyARegularFileIsATable) {
  const std::string fifo = Folder.File("fifo.csv");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string device = Folder.File("device.csv");
  std::filesystem::create_symlink("/dev/null", device);
  for (const std::string& path : {fifo, device, Folder.Path()}) {
    for (const bool readOnly : {false, true}) {
      SCOPED_TRACE(path + (readOnly ? " read-only" : ""));
      EXPECT_EQ(WithinSeconds([&] {
                  TTable table;
                  const std::string error = ErrorOf([&] { table.Open(path, "", readOnly); });
                  return error.ends_with("\" is not a regular file") ? 0 : 1;
                }),
                0);
    }
  }
  EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
  EXPECT_TRUE(std::filesystem::is_fifo(fifo));
}

// A description that is no regular file reads as none, and a save refuses to replace it.
TEST_F(TableFileSafetyTest, ADescriptionThatIsAFifoIsNeitherWaitedOnNorReplaced) {
  ASSERT_EQ(::mkfifo(Description.c_str(), 0600), 0);
  EXPECT_EQ(WithinSeconds([this] {
              TTable table;
              table.Open(Data, "", false);
              if (Captions(table.Columns()) != "Column1 Column2") return 2;
              AddRecord(table, {"c", "d"});
              const std::string error = ErrorOf([&] { table.Save(); });
              return error == "\"" + Description + "\" is not a regular file" ? 0 : 1;
            }),
            0);
  EXPECT_TRUE(std::filesystem::is_fifo(Description));
  EXPECT_EQ(ReadWholeFile(Data), "a;b\r\n");
}

TEST_F(TableFileSafetyTest, ADataFileNamedLikeItsDescriptionIsNeverSavedOver) {
  const std::string named = Folder.Write("x.kx", "a;b\r\n");
  const std::string linked = Folder.Write("y.csv", "a;b\r\n");
  std::filesystem::create_symlink("y.csv", Folder.File("y.kx"));
  for (const std::string& path : {named, linked}) {
    SCOPED_TRACE(path);
    TTable table;
    table.Open(path, "", false);
    AddRecord(table, {"c", "d"});
    EXPECT_EQ(ErrorOf([&] { table.Save(); }),
              "The data file \"" + path +
                  "\" would be overwritten by its own description file: give it another "
                  "extension");
    EXPECT_TRUE(table.Modified());
    EXPECT_EQ(ReadWholeFile(path), "a;b\r\n");
  }
  TTable table;
  table.Open(Data, "", false);
  EXPECT_NE(ErrorOf([&] { table.SaveAs(Folder.File("z.kx")); }).find("own description file"),
            std::string::npos);
  EXPECT_FALSE(std::filesystem::exists(Folder.File("z.kx")));
}

}  // namespace
}  // namespace mervanta::test
