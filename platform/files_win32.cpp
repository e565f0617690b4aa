// Files on Windows, through the wide-character functions: a name is
// converted from UTF-8 to UTF-16 and never passes through the ANSI code
// page, which holds only the characters of one language.
#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>

#include "platform/files.h"

namespace ps::platform {

namespace {

std::wstring wide(const std::string& utf8) { return pathOf(utf8).wstring(); }

}  // namespace

std::FILE* openForReading(const std::string& utf8Path) { return _wfopen(wide(utf8Path).c_str(), L"rb"); }

bool canReplace(const std::string& utf8Path) {
  // A read-only file or a folder is not replaced, whoever runs the program
  // (Wine run by root would write to a read-only file).
  const DWORD attributes = GetFileAttributesW(wide(utf8Path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
    return false;
  // Write and delete access, sharing everything: a file another program
  // holds without sharing writes or deletion could not be replaced either.
  const HANDLE handle = CreateFileW(wide(utf8Path).c_str(), GENERIC_WRITE | DELETE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return GetLastError() == ERROR_FILE_NOT_FOUND;
  CloseHandle(handle);
  return true;
}

std::optional<NewFile> createBeside(const std::string& utf8Path) {
  const std::string stem = utf8Path + ".partial-" + std::to_string(GetCurrentProcessId());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
    const HANDLE handle = CreateFileW(wide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
      const DWORD error = GetLastError();
      if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
      return std::nullopt;
    }
    const int fd = _open_osfhandle(reinterpret_cast<intptr_t>(handle), _O_WRONLY | _O_BINARY);
    if (fd < 0) {
      CloseHandle(handle);
      DeleteFileW(wide(path).c_str());
      return std::nullopt;
    }
    std::FILE* file = _fdopen(fd, "wb");
    if (!file) {
      _close(fd);
      DeleteFileW(wide(path).c_str());
      return std::nullopt;
    }
    return NewFile{file, path};
  }
  return std::nullopt;
}

bool replaceFile(const std::string& from, const std::string& to) {
  return MoveFileExW(wide(from).c_str(), wide(to).c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

bool removeFile(const std::string& utf8Path) { return DeleteFileW(wide(utf8Path).c_str()) != 0; }

}  // namespace ps::platform
