#include "input/input_file.h"

#include <cerrno>
#include <cstdio>

namespace ps {

bool readWholeFile(const char* name, std::string& contents) {
  std::FILE* file = std::fopen(name, "rb");
  if (!file) return false;
  char buffer[65536];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) contents.append(buffer, got);
  const bool complete = !std::ferror(file);
  std::fclose(file);
  return complete;
}

OptionalFile readOptionalFile(const char* name, std::string& contents) {
  errno = 0;
  std::FILE* file = std::fopen(name, "rb");
  if (!file) return errno == ENOENT ? OptionalFile::absent : OptionalFile::unreadable;
  std::fclose(file);
  return readWholeFile(name, contents) ? OptionalFile::read : OptionalFile::unreadable;
}

}  // namespace ps
