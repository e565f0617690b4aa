// profile-sheet-check [DIR]: reports the mistakes in Tesmo.dat, temp.cd5 and
// GasouT.dat of DIR (default: the current folder), and in Tsuzuki.dat when
// there is one, that profile-sheet would draw without a word, and the input
// it would refuse. Writes no file.
#include <cstdio>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_inputs.h"
#include "input/continuation.h"
#include "input/file_names.h"
#include "input/input_file.h"
#include "platform/console.h"

namespace {

constexpr int kUsageStatus = 4;

constexpr char kUsage[] =
    "usage: profile-sheet-check [DIR]\n"
    "Checks Tesmo.dat, temp.cd5 and GasouT.dat in DIR (default: the current folder),\n"
    "and Tsuzuki.dat when there is one, for mistakes that profile-sheet would draw\n"
    "without a word; writes no file.\n"
    "Prints one line per finding, FILE:LINE: error|warning: message, in file and\n"
    "line order, then the line N errors, M warnings.\n"
    "Exit status: 0 nothing found, 1 only warnings, 2 at least one error,\n"
    "3 a file cannot be read or profile-sheet would refuse it, 4 wrong usage.\n";

// Everything the program prints goes through here, with "\n" line ends
// (CR LF on Windows, see platform/console.h).
void print(std::FILE* stream, std::string_view text) { ps::writeConsole(text, stream); }

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> operands;
  bool optionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (!optionsEnd && (arg == "--help" || arg == "-h")) {
      print(stdout, kUsage);
      return 0;
    }
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
      print(stderr, "profile-sheet-check: unknown option " + std::string(arg) + "\n" + kUsage);
      return kUsageStatus;
    } else {
      operands.emplace_back(arg);
    }
  }
  if (operands.size() > 1) {
    print(stderr, std::string("profile-sheet-check: one folder at most\n") + kUsage);
    return kUsageStatus;
  }

  // Findings name the files as the user would open them.
  std::string folder = operands.empty() ? std::string() : operands[0];
  if (!folder.empty() && folder.back() != '/' && folder.back() != '\\') folder += '/';
  auto pathOf = [&](const std::string& name) { return folder + name; };

  using ps::check::Finding;
  const char* const names[] = {ps::kProfileDataFile, ps::kBandRowFile, ps::kLayerFile};
  std::string contents[3];
  std::vector<Finding> unreadable;
  for (int k = 0; k < 3; ++k)
    if (!ps::readWholeFile(pathOf(names[k]).c_str(), contents[k]))
      unreadable.push_back({names[k], 0, ps::check::Severity::error, std::string("can't create ") + names[k]});

  std::string continuation;
  const ps::OptionalFile continuationFile = ps::readOptionalFile(pathOf(ps::kContinuationFile).c_str(), continuation);
  if (continuationFile == ps::OptionalFile::unreadable)
    unreadable.push_back({ps::kContinuationFile, 0, ps::check::Severity::error,
                          std::string("can't create ") + ps::kContinuationFile});

  ps::check::CheckResult result;
  if (unreadable.empty()) {
    try {
      result = ps::check::checkInputs(contents[0], contents[1], contents[2],
                                      continuationFile == ps::OptionalFile::read
                                          ? std::optional<std::string_view>(continuation)
                                          : std::nullopt);
    } catch (const std::exception& failure) {
      // The system lacks what a check needs (the code page 932 table).
      print(stderr, std::string("profile-sheet-check: ") + failure.what() + "\n");
      return ps::check::kUnreadable;
    }
  } else {
    result.findings = std::move(unreadable);
    result.status = ps::check::kUnreadable;
  }
  print(stdout, ps::check::reportOf(result.findings, folder));
  return result.status;
}
