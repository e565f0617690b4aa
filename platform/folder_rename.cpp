#include "platform/folder_rename.h"

#include <cerrno>
#include <cstdio>
#include <system_error>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#endif

namespace ps::platform {

bool renameFolderNoReplace(const std::filesystem::path& from, const std::filesystem::path& to) {
#ifdef _WIN32
  // Without MOVEFILE_REPLACE_EXISTING the move fails when `to` exists.
  return MoveFileExW(from.c_str(), to.c_str(), 0) != 0;
#else
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return true;
  if (errno != EINVAL && errno != ENOSYS) return false;
  // A file system without the flag: test, then rename.
  std::error_code error;
  if (std::filesystem::exists(std::filesystem::symlink_status(to, error)) || error) return false;
  std::filesystem::rename(from, to, error);
  return !error;
#endif
}

}  // namespace ps::platform
