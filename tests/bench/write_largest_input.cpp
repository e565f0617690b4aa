// Writes the largest accepted input into a folder (for measuring the real
// program), or with --check verifies that it gives a complete run.
#include <cstdio>
#include <cstring>
#include <string>

#include "driver/run.h"
#include "largest_input.h"

namespace {

bool writeFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  const ps::bench::InputFiles in = ps::bench::largestInput();
  if (argc == 2 && std::strcmp(argv[1], "--check") == 0) {
    const ps::RunResult run = ps::runInMemory(in.profileData, in.layerDefinitions, in.bandRowList);
    std::printf("status %d, %zu drawing bytes\n", run.status, run.drawing ? run.drawing->size() : 0);
    return run.status == 0 && run.console.empty() ? 0 : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_largest_input FOLDER | --check\n");
    return 2;
  }
  const std::string dir = std::string(argv[1]) + "/";
  const bool ok = writeFile(dir + ps::kProfileDataFile, in.profileData) &&
                  writeFile(dir + ps::kLayerFile, in.layerDefinitions) &&
                  writeFile(dir + ps::kBandRowFile, in.bandRowList);
  return ok ? 0 : 1;
}
