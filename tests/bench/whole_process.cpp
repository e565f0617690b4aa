// The whole process as a user runs it, against copying its output: runs the
// program in a folder of inputs and `cp` of the drawing it wrote to a new
// file, alternating, and prints the median of each and their ratio (goal:
// at most 2). Processes are started with posix_spawn and timed from spawn to
// exit, so that the harness adds as little as it can to either side.
//
//   whole_process FOLDER PAIRS PROGRAM
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Seconds from spawn to exit; exits the harness when the command fails.
double timed(std::vector<std::string> command) {
  std::vector<char*> argv;
  for (std::string& word : command) argv.push_back(word.data());
  argv.push_back(nullptr);
  const auto start = std::chrono::steady_clock::now();
  pid_t pid = 0;
  int status = 0;
  if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0 || waitpid(pid, &status, 0) != pid ||
      !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    std::fprintf(stderr, "%s failed\n", argv[0]);
    std::exit(1);
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t n = values.size();
  return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: whole_process FOLDER PAIRS PROGRAM\n");
    return 2;
  }
  // A program named by a relative path is found from where we were started,
  // one named without a folder on the PATH.
  const std::string programName = argv[3];
  const std::string programPath = programName.find('/') == std::string::npos
                                      ? programName
                                      : std::filesystem::absolute(programName).string();
  if (chdir(argv[1]) != 0) {
    std::fprintf(stderr, "whole_process: no folder %s\n", argv[1]);
    return 2;
  }
  const int pairs = std::atoi(argv[2]);
  const std::vector<std::string> program{programPath}, copy{"cp", "Tesmora.dxf", "copy.dxf"};
  timed(program);  // the drawing to copy, and warm caches
  std::vector<double> runs, copies;
  for (int i = 0; i < pairs; ++i) {
    runs.push_back(timed(program));
    copies.push_back(timed(copy));
    std::remove("copy.dxf");
  }
  const double run = median(runs), cp = median(copies), ratio = run / cp;
  std::printf("whole process: %.2f ms, cp of its drawing: %.2f ms (medians of %d alternating pairs); ratio %.2f "
              "(goal: at most 2, %s)\n",
              run * 1e3, cp * 1e3, pairs, ratio, ratio <= 2 ? "met" : "missed");
  return 0;
}
