// profile-sheet-check [DIR]: reports the mistakes in Tesmo.dat, temp.cd5 and
// GasouT.dat of DIR (default: the current folder), and in Tsuzuki.dat when
// there is one, that profile-sheet would draw without a word, and the input
// it would refuse; in a set of sheet folders (profile-sheet-import's
// output), those of every sheet. Writes no file.
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#include "check/check_folders.h"
#include "check/check_inputs.h"
#include "platform/console.h"
#include "platform/files.h"
#include "platform/program_entry.h"
#include "platform/program_info.h"
#include "platform/text_encoding.h"
#include "text/shift_jis.h"

namespace {

constexpr int kUsageStatus = 4;

// Everything the program prints goes through here, with "\n" line ends
// (CR LF on Windows, see platform/console.h).
void print(std::FILE* stream, std::string_view text) { ps::writeConsole(text, stream); }

int usageError(const std::string& problem) {
  print(stderr, "profile-sheet-check: " + problem + ps::sjis::kCheckUsage);
  return kUsageStatus;
}

// How findings name the files of `folder`: its path as the user gave it,
// with the platform's separator, in front of the file's name.
std::string shownFolder(const std::string& folder) {
  return folder.empty() ? std::string() : ps::platform::shiftJisShown(ps::platform::shownPath(ps::platform::joinPath(folder, "")));
}

int checkOperands(const std::vector<std::string>& operands) {
  using namespace ps::check;
  const std::string folder = operands.empty() ? std::string() : operands[0];
  std::vector<std::string> folders = sheetFoldersOf(folder);
  if (folders.empty()) folders.push_back(folder);

  std::vector<Finding> all;
  std::vector<int> statuses;
  std::string report;
  for (const std::string& sheet : folders) {
    CheckResult result;
    try {
      result = checkFolder(sheet);
    } catch (const std::exception& failure) {
      // The system lacks what a check needs (the code page 932 table).
      print(stderr, std::string("profile-sheet-check: ") + failure.what() + "\n");
      return kUnreadable;
    }
    const std::string prefix = shownFolder(sheet);
    for (const Finding& finding : result.findings) report += findingLine(finding, prefix + finding.file) + "\n";
    all.insert(all.end(), result.findings.begin(), result.findings.end());
    statuses.push_back(result.status);
  }
  print(stdout, report + summaryLine(all) + "\n");
  return setStatus(statuses);
}

}  // namespace

int ps::programMain(const std::vector<std::string>& arguments) {
  std::vector<std::string> operands;
  bool optionsEnd = false;
  int status = -1;
  for (const std::string& arg : arguments) {
#ifdef _WIN32
    const bool windowsHelp = arg == "/?";
#else
    const bool windowsHelp = false;
#endif
    if (!optionsEnd && (arg == "--help" || arg == "-h" || windowsHelp)) {
      print(stdout, sjis::kCheckUsage);
      status = 0;
      break;
    }
    if (!optionsEnd && arg == "--version") {
      print(stdout, platform::versionLine("profile-sheet-check"));
      status = 0;
      break;
    }
    if (!optionsEnd && arg == "--") {
      optionsEnd = true;
    } else if (!optionsEnd && arg.size() > 1 && arg[0] == '-') {
      status = usageError(sjis::kUnknownOption + platform::shiftJisShown(arg) + "\n");
      break;
    } else {
      operands.push_back(arg);
    }
  }
  if (status < 0) status = operands.size() > 1 ? usageError(sjis::kOneFolderAtMost) : checkOperands(operands);
  waitForKeyWhenStartedByExplorer(sjis::kPressAnyKey);
  return status;
}
