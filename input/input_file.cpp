#include "input/input_file.h"

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

}  // namespace ps
