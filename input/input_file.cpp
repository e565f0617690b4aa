#include "input/input_file.h"

#include <cerrno>
#include <cstdio>

#include "platform/files.h"

namespace ps {

bool readWholeFile(const std::string& path, std::string& contents) {
  std::FILE* file = platform::openForReading(path);
  if (!file) return false;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  const bool complete = !std::ferror(file);
  std::fclose(file);
  return complete;
}

OptionalFile readOptionalFile(const std::string& path, std::string& contents) {
  errno = 0;
  std::FILE* file = platform::openForReading(path);
  if (!file) return errno == ENOENT ? OptionalFile::absent : OptionalFile::unreadable;
  std::fclose(file);
  return readWholeFile(path, contents) ? OptionalFile::read : OptionalFile::unreadable;
}

}  // namespace ps
