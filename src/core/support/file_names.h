#pragma once

#include <string>
#include <string_view>

#include "support/string_list.h"

namespace mervanta {

// The folder of the running program, with a trailing "/".
std::string ProgramFolder();

// The file name without folder and extension; a leading dot does not start an extension.
std::string FileTitle(std::string_view path);
// The file name without its folder.
std::string_view FileNameOf(std::string_view path);
// The file name's extension with its dot; empty when it has none.
std::string_view FileExtension(std::string_view path);

// The folder part of a path, without a final "/" unless it is the root; "." for a bare name.
std::string FolderOf(std::string_view path);

// Makes the file's folder the current one. Only where the file dialogs start: nothing relies
// on it, so a failure is ignored.
void ChangeToFolderOf(const std::string& path);

// The path made absolute and plain (no "." or ".." steps): a relative one starts from
// `folder`, or from the current folder when `folder` is empty. When the current folder
// cannot be told, the path comes back as it is.
std::string FullPath(std::string_view path, std::string_view folder = {});

// The description file that goes with a data file: the same name with the extension ".kx"
// in place of the data file's own.
std::string DescriptionFileName(std::string_view dataFileName);
// Whether the name is a description file's (extension ".kx").
bool IsDescriptionFileName(std::string_view path);
// The data file that a description file goes with: beside it with the same title and the
// extension ".csv", else ".txt" when only that one exists.
std::string DataFileOfDescription(std::string_view descriptionFileName);

// $HOME, or the user's home folder from the system's user list.
std::string HomeFolder();

// The path with every symbolic link at its end followed: the file that writing to the path
// changes, which need not exist yet.
std::string ResolveLinks(const std::string& path);

// Creates the folder and every missing folder on the way, private to the user; false with
// errno set when one cannot be made.
bool MakeFolders(const std::string& folder);

// Deletes the characters no file name may hold (" * : < > ? |) from the name after the last
// "/" or "\"; the folder part stays as it is.
std::string RemoveInvalidFileNameChars(std::string_view path);

// A new, empty file with a unique name starting "QRV" in $TMPDIR (default /tmp); throws
// EMervantaError naming the folder when it cannot be created.
std::string TemporaryFileName();

// Whether both paths name the same existing file (links and relative forms included).
bool SameFile(const std::string& a, const std::string& b);

// Whether the path names an existing file or folder.
bool FileOrFolderExists(const std::string& path);

// How ListFiles writes a name.
struct TListedName {
  bool WithoutExtension = false;
  bool WithFolder = false;
};

// Appends the names in `folder` matching `mask` ("*" any run, "?" one character, letter case
// ignored, a final ".*" also matching no extension), sorted by name, written as `listed`
// says; "." and ".." are never listed.
void ListFiles(std::string_view folder, std::string_view mask, TStringList& lines,
               TListedName listed = {});

// Trims every line, drops empty ones and makes the rest absolute folders ending in "/"; an
// empty list gets the program folder. Returns how many listed folders do not exist.
int NormaliseFolderList(TStringList& lines);

}  // namespace mervanta
