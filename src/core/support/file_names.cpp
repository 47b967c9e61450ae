#include "support/file_names.h"

#include <dirent.h>
#include <limits.h>
#include <pwd.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "support/errors.h"
#include "support/file_system.h"
#include "support/trim.h"

namespace mervanta {

namespace {

constexpr std::string_view kInvalidFileNameChars = "\"*:<>?|";

// A name with a NUL byte would reach the system cut short, naming another file.
bool StatPath(const std::string& path, struct stat& info) {
  return path.find('\0') == std::string::npos && ::stat(path.c_str(), &info) == 0;
}

std::string_view WithoutExtension(std::string_view name) {
  std::size_t dot = name.rfind('.');
  return dot == std::string_view::npos || dot == 0 ? name : name.substr(0, dot);
}

char AsciiLower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool MatchesWildcards(std::string_view name, std::string_view mask) {
  std::size_t n = 0, m = 0;
  std::size_t starMask = std::string_view::npos, starName = 0;
  while (n < name.size()) {
    if (m < mask.size() && mask[m] == '*') {
      starMask = m++;
      starName = n;
    } else if (m < mask.size() && (mask[m] == '?' || AsciiLower(mask[m]) == AsciiLower(name[n]))) {
      ++m;
      ++n;
    } else if (starMask != std::string_view::npos) {
      m = starMask + 1;
      n = ++starName;
    } else {
      return false;
    }
  }
  while (m < mask.size() && mask[m] == '*') ++m;
  return m == mask.size();
}

// As the desktop's file masks: "name.*" also matches "name", so "*.*" matches every name.
bool MatchesMask(std::string_view name, std::string_view mask) {
  return MatchesWildcards(name, mask) ||
         (mask.ends_with(".*") && MatchesWildcards(name, mask.substr(0, mask.size() - 2)));
}

bool FolderExists(const std::string& path) {
  struct stat info {};
  return StatPath(path, info) && S_ISDIR(info.st_mode);
}

}  // namespace

std::string ProgramFolder() {
  char path[PATH_MAX];
  ssize_t length = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (length <= 0) return "./";
  std::string folder(path, static_cast<std::size_t>(length));
  return folder.substr(0, folder.rfind('/') + 1);
}

std::string FileTitle(std::string_view path) {
  return std::string(WithoutExtension(FileNameOf(path)));
}

std::string_view FileNameOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string_view FileExtension(std::string_view path) {
  const std::string_view name = FileNameOf(path);
  return name.substr(WithoutExtension(name).size());
}

std::string FolderOf(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string_view::npos) return ".";
  return std::string(path.substr(0, slash == 0 ? 1 : slash));
}

void ChangeToFolderOf(const std::string& path) {
  std::error_code error;
  std::filesystem::current_path(std::filesystem::path(path).parent_path(), error);
}

std::string FullPath(std::string_view path, std::string_view folder) {
  std::filesystem::path full(path);
  if (full.is_relative() && !folder.empty()) full = std::filesystem::path(folder) / full;
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(full, error);
  return error ? std::string(path) : absolute.lexically_normal().string();
}

std::string DescriptionFileName(std::string_view dataFileName) {
  dataFileName.remove_suffix(FileExtension(dataFileName).size());
  return std::string(dataFileName) + ".kx";
}

bool IsDescriptionFileName(std::string_view path) {
  return FileExtension(path) == ".kx";
}

std::string DataFileOfDescription(std::string_view descriptionFileName) {
  descriptionFileName.remove_suffix(FileExtension(descriptionFileName).size());
  const std::string stem(descriptionFileName);
  const std::string text = stem + ".txt";
  return !FileOrFolderExists(stem + ".csv") && FileOrFolderExists(text) ? text : stem + ".csv";
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home != nullptr && home[0] != '\0') return home;
  const passwd* user = ::getpwuid(::getuid());
  return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

std::string ResolveLinks(const std::string& path) {
  // The system's own limit of links in a row; a longer chain fails when the file is opened.
  constexpr int kMaxLinks = 40;
  std::string current = path;
  for (int i = 0; i < kMaxLinks; ++i) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) break;
    std::string target(static_cast<std::size_t>(info.st_size) + 1, '\0');
    const ssize_t length = ::readlink(current.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<std::size_t>(length) >= target.size()) break;
    target.resize(static_cast<std::size_t>(length));
    current = target.starts_with('/') ? target : FolderOf(current) + "/" + target;
  }
  return current;
}

bool MakeFolders(const std::string& folder) {
  const std::string path = folder + "/";
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (sys::MakeFolder(path.substr(0, slash).c_str(), 0700) != 0 && errno != EEXIST) {
      return false;
    }
  }
  return true;
}

std::string RemoveInvalidFileNameChars(std::string_view path) {
  std::string result(path);
  const std::size_t delimiter = result.find_last_of("/\\");
  const std::size_t nameStart = delimiter == std::string::npos ? 0 : delimiter + 1;
  auto name = result.begin() + static_cast<std::ptrdiff_t>(nameStart);
  result.erase(std::remove_if(
                   name, result.end(),
                   [](char c) { return kInvalidFileNameChars.find(c) != std::string_view::npos; }),
               result.end());
  return result;
}

std::string TemporaryFileName() {
  const char* variable = std::getenv("TMPDIR");
  std::string folder = variable != nullptr && *variable != '\0' ? variable : "/tmp";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  std::string path = folder + (folder == "/" ? "" : "/") + "QRVXXXXXX";
  int fd = ::mkstemp(path.data());
  if (fd < 0) RaiseFileError("Cannot create a temporary file in", folder, errno);
  ::close(fd);
  return path;
}

bool SameFile(const std::string& a, const std::string& b) {
  struct stat first {
  }, second{};
  return StatPath(a, first) && StatPath(b, second) && first.st_dev == second.st_dev &&
         first.st_ino == second.st_ino;
}

bool FileOrFolderExists(const std::string& path) {
  struct stat info {};
  return StatPath(path, info);
}

void ListFiles(std::string_view folder, std::string_view mask, TStringList& lines,
               TListedName listed) {
  std::string pattern(folder);
  if (!pattern.empty() && pattern.back() != '/') pattern += '/';
  pattern += mask;
  const std::size_t slash = pattern.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : pattern.substr(0, slash + 1);
  const std::string_view nameMask =
      std::string_view(pattern).substr(slash == std::string::npos ? 0 : slash + 1);
  if (directory.find('\0') != std::string::npos) return;
  std::unique_ptr<DIR, int (*)(DIR*)> dir(::opendir(directory.empty() ? "." : directory.c_str()),
                                          &::closedir);
  if (dir == nullptr) return;
  TStringList names;
  while (const dirent* entry = ::readdir(dir.get())) {
    const std::string_view name = entry->d_name;
    if (name != "." && name != ".." && MatchesMask(name, nameMask)) names.emplace_back(name);
  }
  std::sort(names.begin(), names.end());
  lines.reserve(lines.size() + names.size());
  for (const std::string& name : names) {
    std::string line = listed.WithFolder ? directory : std::string();
    line += listed.WithoutExtension ? WithoutExtension(name) : std::string_view(name);
    lines.push_back(std::move(line));
  }
}

int NormaliseFolderList(TStringList& lines) {
  int missing = 0;
  for (std::string& line : lines) {
    const std::string_view trimmed = Trimmed(line);
    if (trimmed.empty()) {
      line.clear();
      continue;
    }
    line = FullPath(trimmed);
    if (line.back() != '/') line += '/';
    if (!FolderExists(line)) ++missing;
  }
  std::erase_if(lines, [](const std::string& line) { return line.empty(); });
  if (lines.empty()) lines.push_back(ProgramFolder());
  return missing;
}

}  // namespace mervanta
