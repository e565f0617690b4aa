// Files and folders named in UTF-8. Linux takes a name as its bytes;
// Windows gets it through the wide-character functions (UTF-16), so that
// every name the system allows works there, whatever the code page:
// Japanese, emoji, spaces. The programs keep every path in UTF-8 and open,
// create, rename and list only through here.
#pragma once

#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ps::platform {

// The separator of folders in paths the programs show and join.
#ifdef _WIN32
inline constexpr char kPathSeparator = '\\';
#else
inline constexpr char kPathSeparator = '/';
#endif

// A path of the file system from UTF-8, and back. On Windows a narrow
// std::filesystem::path would take the bytes in the ANSI code page.
std::filesystem::path pathOf(std::string_view utf8);
std::string utf8Of(const std::filesystem::path& path);

// `folder` and `name` joined by the platform's separator; `name` alone
// when `folder` is empty, one separator when `folder` ends in one.
std::string joinPath(std::string_view folder, std::string_view name);

// The path as messages show it: on Windows each '/' as '\', so that one
// message never mixes the two.
std::string shownPath(std::string_view utf8);

// Opens an existing file for reading bytes; nullptr when it cannot.
std::FILE* openForReading(const std::string& utf8Path);

// Whether `utf8Path` could be replaced by another file now: it does not
// exist, or it is a file that opens for writing (it is opened without
// being changed and closed again). A folder, a read-only file, and on
// Windows a file another program holds open without sharing it (a drawing
// open in CAD) cannot be.
bool canReplace(const std::string& utf8Path);

// A new file beside `utf8Path`, created exclusively for writing bytes, so
// that it can never be one that already exists: `utf8Path` with
// ".partial-" and the process id (and a count, when that is taken) added.
struct NewFile {
  std::FILE* file = nullptr;
  std::string path;
};
std::optional<NewFile> createBeside(const std::string& utf8Path);

// Moves the file `from` to `to`, replacing a file there in one step (rename
// on Linux, MoveFileExW with MOVEFILE_REPLACE_EXISTING on Windows).
bool replaceFile(const std::string& from, const std::string& to);

// Removes a file; false when it cannot.
bool removeFile(const std::string& utf8Path);

bool isFolder(const std::string& utf8Path);
bool exists(const std::string& utf8Path);  // a file, folder or link of that name

// The names of the folders directly in `folder`, sorted byte for byte;
// empty when it cannot be read.
std::vector<std::string> foldersIn(const std::string& folder);

}  // namespace ps::platform
