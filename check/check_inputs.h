// profile-sheet-check's library: the mistakes in a road's three input files
// that the generator would draw without a word, and the refusals it would
// make, found before any drawing is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ps::check {

enum class Severity { warning, error };

struct Finding {
  std::string file;  // the input file's name: Tesmo.dat, temp.cd5, GasouT.dat or Tsuzuki.dat
  int line = 0;      // 1-based, counted as the refusals count (CR, LF and CR LF end a line)
  Severity severity = Severity::warning;
  std::string message;  // Shift-JIS, one line without its end
};

// Exit statuses of the checker, one meaning each.
inline constexpr int kNothingFound = 0;
inline constexpr int kOnlyWarnings = 1;
inline constexpr int kErrorsFound = 2;
inline constexpr int kUnreadable = 3;  // a file cannot be read, or the generator would refuse it

struct CheckResult {
  std::vector<Finding> findings;  // by file (Tesmo.dat, temp.cd5, GasouT.dat, Tsuzuki.dat), then by line
  int status = kNothingFound;
};

// Checks the three files, given as their whole contents, and the
// continuation file of a sheet of a set when there is one. A refusal by the
// generator is an error finding with the generator's own message and makes
// the status kUnreadable; the checks of a file that was refused while it was
// read are not made, those of the other files are.
CheckResult checkInputs(std::string_view profileData, std::string_view bandRowList,
                        std::string_view layerDefinitions,
                        std::optional<std::string_view> continuation = std::nullopt);

// "FILE:LINE: error: message" (or "FILE: error: message" for line 0), with
// `path` standing for the file, and no line end.
std::string findingLine(const Finding& finding, std::string_view path);

// "N errors, M warnings".
std::string summaryLine(const std::vector<Finding>& findings);

// The whole report: a line per finding, its file named as `folder` + file
// name, then the summary line; "\n" ends every line.
std::string reportOf(const std::vector<Finding>& findings, std::string_view folder);

}  // namespace ps::check
