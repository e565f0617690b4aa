// profile-sheet-import: a J-LandXML road to a set of drawn sheets.
#pragma once

#include <string>
#include <vector>

namespace ps::import {

inline constexpr int kImportWritten = 0;  // every sheet written
inline constexpr int kImportRefused = 1;  // the road, the template or the output folder refused: nothing written
inline constexpr int kImportUsage = 2;    // not a command line of the program

// The whole run with the arguments after the program name: what goes to
// standard output is appended to `out`, what goes to standard error to
// `err` (both Shift-JIS). Returns the exit status.
int runImport(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace ps::import
