// Files on Linux: names are bytes, taken as they are.
#include <errno.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <string>

#include "platform/files.h"

namespace ps::platform {

std::FILE* openForReading(const std::string& utf8Path) { return std::fopen(utf8Path.c_str(), "rb"); }

bool canReplace(const std::string& utf8Path) {
  // Not truncated, and not waiting for a reader when it is a FIFO.
  const int fd = ::open(utf8Path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno == ENOENT;
  ::close(fd);
  return true;
}

std::optional<NewFile> createBeside(const std::string& utf8Path) {
  const std::string stem = utf8Path + ".partial-" + std::to_string(::getpid());
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::string path = attempt == 0 ? stem : stem + "-" + std::to_string(attempt);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno == EEXIST) continue;  // left by an earlier process of the same id
      return std::nullopt;
    }
    std::FILE* file = ::fdopen(fd, "wb");
    if (!file) {
      ::close(fd);
      ::unlink(path.c_str());
      return std::nullopt;
    }
    return NewFile{file, path};
  }
  return std::nullopt;
}

bool replaceFile(const std::string& from, const std::string& to) {
  // Exchanged in one step, then the old file, now under `from`, removed: a
  // rename over an existing file would also do, but ext4 takes that for a
  // file being replaced and starts writing the new one out at once, which
  // costs a run on the largest input a fifth of its time. Where the
  // exchange is not supported (another file system) or `to` does not exist,
  // a rename.
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_EXCHANGE) == 0) {
    ::unlink(from.c_str());
    return true;
  }
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool removeFile(const std::string& utf8Path) { return ::unlink(utf8Path.c_str()) == 0; }

}  // namespace ps::platform
