#pragma once

#include <string>
#include <string_view>

#include "support/string_list.h"

namespace mervanta {

// The folder of the running program, with a trailing "/".
std::string ProgramFolder();

// The file name without folder and extension; a leading dot does not start an extension.
std::string FileTitle(std::string_view path);

// The folder part of a path without the last "/": "." for a bare name, "/" for the root's files.
std::string FolderOf(std::string_view path);

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

// Appends the names in `folder` matching `mask` ("*" any run, "?" one character, letter case
// ignored, a final ".*" also matching no extension), sorted by name, optionally without their
// extension and optionally with the folder in front; "." and ".." are never listed.
void ListFiles(std::string_view folder, std::string_view mask, TStringList& lines,
               bool withoutExtension, bool withFolder);

// Trims every line, drops empty ones and makes the rest absolute folders ending in "/"; an
// empty list gets the program folder. Returns how many listed folders do not exist.
int NormaliseFolderList(TStringList& lines);

}  // namespace mervanta
