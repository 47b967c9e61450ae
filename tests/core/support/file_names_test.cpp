#include "support/file_names.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "support/errors.h"
#include "test_support/scoped_environment.h"
#include "test_support/temp_dir.h"

namespace mervanta {
namespace {

namespace fs = std::filesystem;

TEST(FileNames, FileTitleDropsFolderAndExtension) {
  struct TCase {
    const char* Path;
    const char* Title;
  } cases[] = {
      {"/home/me/Addresses.txt", "Addresses"},
      {"backup.tar.gz", "backup.tar"},
      {"/data.d/notes", "notes"},
      {"/home/me/.hidden", ".hidden"},
      {"trailing.", "trailing"},
      {"/home/me/", ""},
      {"", ""},
      {"C:\\Tables\\Books.txt", "C:\\Tables\\Books"},  // "\" is a name character here
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(FileTitle(c.Path), c.Title);
  }
}

TEST(FileNames, FolderExtensionAndDescriptionFile) {
  struct TCase {
    const char* Path;
    const char* Folder;
    const char* Extension;
    const char* Description;
  } cases[] = {
      {"/home/me/Addresses.txt", "/home/me", ".txt", "/home/me/Addresses.kx"},
      {"backup.tar.gz", ".", ".gz", "backup.tar.kx"},
      {"/data.d/notes", "/data.d", "", "/data.d/notes.kx"},
      {"/home/me/.hidden", "/home/me", "", "/home/me/.hidden.kx"},
      {"trailing.", ".", ".", "trailing.kx"},
      {"/root.csv", "/", ".csv", "/root.kx"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(FolderOf(c.Path), c.Folder);
    EXPECT_EQ(FileExtension(c.Path), c.Extension);
    EXPECT_EQ(DescriptionFileName(c.Path), c.Description);
  }
}

TEST(FileNames, ADescriptionFileLeadsToItsDataFile) {
  test::TTempDir folder;
  folder.Write("both.csv", "");
  folder.Write("both.txt", "");
  folder.Write("text.txt", "");
  struct TCase {
    std::string Description;
    std::string Data;
  } cases[] = {
      {folder.File("both.kx"), folder.File("both.csv")},
      {folder.File("text.kx"), folder.File("text.txt")},
      // A table not made yet: the name the open reports as missing.
      {folder.File("none.kx"), folder.File("none.csv")},
      {"/tables/a.b.kx", "/tables/a.b.csv"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Description);
    EXPECT_TRUE(IsDescriptionFileName(c.Description));
    EXPECT_EQ(DataFileOfDescription(c.Description), c.Data);
    EXPECT_FALSE(IsDescriptionFileName(c.Data));
  }
  EXPECT_FALSE(IsDescriptionFileName("/tables/kx"));
  EXPECT_FALSE(IsDescriptionFileName("/tables/.kx"));
}

// Relative names start from the given folder, else from the current one.
TEST(FileNames, FullPathIsAbsoluteAndPlain) {
  const std::string current = fs::current_path().string();
  struct TCase {
    const char* Path;
    const char* Folder;
    std::string Full;
  } cases[] = {
      {"pics/a.jpg", "/tables", "/tables/pics/a.jpg"},
      {"./pics/../a b.jpg", "/tables/", "/tables/a b.jpg"},
      {"../a.jpg", "/tables/mine", "/tables/a.jpg"},
      {"/pics/./a.jpg", "/tables", "/pics/a.jpg"},
      {"a.jpg", "", current + "/a.jpg"},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(FullPath(c.Path, c.Folder), c.Full);
  }
}

TEST(FileNames, RemoveInvalidFileNameCharsCleansOnlyTheName) {
  struct TCase {
    const char* Path;
    const char* Cleaned;
  } cases[] = {
      {"a:b?", "ab"},
      {"C:\\Exports\\a:b?", "C:\\Exports\\ab"},
      {"/tmp/x:y/f<i>l|e*\"?.txt", "/tmp/x:y/file.txt"},
      {"mixed\\x:y/z?", "mixed\\x:y/z"},
      {"dir:/", "dir:/"},
      {"\"*:<>?|", ""},
      {"plain name.txt", "plain name.txt"},
      {"", ""},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Path);
    EXPECT_EQ(RemoveInvalidFileNameChars(c.Path), c.Cleaned);
  }
}

TEST(FileNames, TemporaryFileNameCreatesNewEmptyFilesInTheTemporaryFolder) {
  test::TTempDir folder;
  struct TCase {
    std::string Variable;
    std::string Folder;
  } cases[] = {{folder.Path(), folder.Path()}, {folder.Path() + "/", folder.Path()}};
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Variable);
    test::TScopedEnvironment tmpdir("TMPDIR", c.Variable.c_str());
    const std::string first = TemporaryFileName(), second = TemporaryFileName();
    EXPECT_NE(first, second);
    for (const std::string& path : {first, second}) {
      EXPECT_EQ(fs::path(path).parent_path(), c.Folder);
      EXPECT_TRUE(fs::path(path).filename().string().starts_with("QRV"));
      ASSERT_TRUE(fs::is_regular_file(path));
      EXPECT_EQ(fs::file_size(path), 0u);
      fs::remove(path);
    }
  }
}

TEST(FileNames, TemporaryFileNameDefaultsToTmp) {
  for (const char* variable : {static_cast<const char*>(nullptr), ""}) {
    test::TScopedEnvironment tmpdir("TMPDIR", variable);
    const std::string path = TemporaryFileName();
    EXPECT_TRUE(path.starts_with("/tmp/QRV")) << path;
    EXPECT_TRUE(fs::remove(path));
  }
}

TEST(FileNames, TemporaryFileNameNamesTheFolderWhenItFails) {
  test::TTempDir folder;
  const std::string missing = folder.File("gone");
  test::TScopedEnvironment tmpdir("TMPDIR", missing.c_str());
  try {
    TemporaryFileName();
    FAIL() << "no temporary file can be made in a missing folder";
  } catch (const EMervantaError& error) {
    EXPECT_NE(std::string(error.what()).find("\"" + missing + "\""), std::string::npos)
        << error.what();
  }
}

TEST(FileNames, SameFileComparesIdentityNotSpelling) {
  test::TTempDir folder;
  const std::string file = folder.Write("table.txt", "x");
  const std::string other = folder.Write("other.txt", "x");
  fs::create_hard_link(file, folder.File("hard.txt"));
  fs::create_symlink(file, folder.File("soft.txt"));
  const std::string missing = folder.File("missing.txt");
  struct TCase {
    std::string A, B;
    bool Same;
  } cases[] = {
      {file, file, true},
      {file, folder.Path() + "/./sub/../table.txt", true},
      {file, folder.File("hard.txt"), true},
      {folder.File("soft.txt"), file, true},
      {folder.Path(), folder.Path() + "/", true},
      {file, other, false},
      {file, file + std::string(1, '\0') + "x", false},
      {missing, missing, false},
      {file, missing, false},
      {"", "", false},
  };
  fs::create_directory(folder.File("sub"));
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.A + " | " + c.B);
    EXPECT_EQ(SameFile(c.A, c.B), c.Same);
  }
}

class ListFilesTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"b.txt", "a.TXT", "c.kx", "noext", ".hidden", "data.txt.bak"}) {
      Folder_.Write(name, "");
    }
    fs::create_directory(Folder_.File("sub"));
    Folder_.Write("sub/inner.txt", "");
  }

  test::TTempDir Folder_;
};

TEST_F(ListFilesTest, MasksWorkAsOnTheDesktop) {
  struct TCase {
    const char* Mask;
    TStringList Names;
  } cases[] = {
      {"*.*", {".hidden", "a.TXT", "b.txt", "c.kx", "data.txt.bak", "noext", "sub"}},
      {"*", {".hidden", "a.TXT", "b.txt", "c.kx", "data.txt.bak", "noext", "sub"}},
      {"*.txt", {"a.TXT", "b.txt"}},
      {"?.KX", {"c.kx"}},
      {"noext.*", {"noext"}},
      {"*.txt*", {"a.TXT", "b.txt", "data.txt.bak"}},
      {"d*a*.b?k", {"data.txt.bak"}},
      {"x*", {}},
      {"", {}},
      {"sub/*", {"inner.txt"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Mask);
    TStringList lines;
    ListFiles(Folder_.Path(), c.Mask, lines);
    EXPECT_EQ(lines, c.Names);
  }
}

TEST_F(ListFilesTest, AppendsWithoutExtensionAndWithFolderOnRequest) {
  const std::string prefix = Folder_.Path() + "/";
  struct TCase {
    std::string Folder;
    std::string Mask;
    bool WithoutExtension, WithFolder;
    TStringList Lines;
  } cases[] = {
      {Folder_.Path(), "*.txt", true, false, {"kept", "a", "b"}},
      {prefix, "*.txt", false, true, {"kept", prefix + "a.TXT", prefix + "b.txt"}},
      {prefix, "*.bak", true, true, {"kept", prefix + "data.txt"}},
      {prefix, ".h*", true, false, {"kept", ".hidden"}},
      {prefix, "sub/*", false, true, {"kept", prefix + "sub/inner.txt"}},
      {Folder_.File("missing"), "*.*", false, false, {"kept"}},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.Folder + c.Mask);
    TStringList lines = {"kept"};
    ListFiles(c.Folder, c.Mask, lines,
              {.WithoutExtension = c.WithoutExtension, .WithFolder = c.WithFolder});
    EXPECT_EQ(lines, c.Lines);
  }
}

TEST(FileNames, NormaliseFolderListMakesAbsoluteFoldersAndCountsMissingOnes) {
  test::TTempDir folder;
  fs::create_directory(folder.File("there"));
  const std::string there = folder.File("there/");
  const std::string cwd = fs::current_path().string();
  TStringList lines = {"  " + folder.Path() + "/x/../there \t",
                       "",
                       "   ",
                       folder.File("there"),
                       folder.File("gone"),
                       "relative-folder-that-is-not-there",
                       folder.File("there/./")};
  EXPECT_EQ(NormaliseFolderList(lines), 2);
  const TStringList expected = {there, there, folder.File("gone/"),
                                cwd + "/relative-folder-that-is-not-there/", there};
  EXPECT_EQ(lines, expected);
}

TEST(FileNames, NormaliseFolderListFallsBackToTheProgramFolder) {
  for (TStringList lines : {TStringList{}, TStringList{"", " \t\r\n"}}) {
    EXPECT_EQ(NormaliseFolderList(lines), 0);
    EXPECT_EQ(lines, TStringList{ProgramFolder()});
  }
  const std::string folder = ProgramFolder();
  EXPECT_TRUE(folder.starts_with("/") && folder.ends_with("/")) << folder;
  EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
}  // namespace mervanta
