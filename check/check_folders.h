// profile-sheet-check on folders: the three files of one folder, or every
// sheet folder of a set that profile-sheet-import wrote.
#pragma once

#include <string>
#include <vector>

#include "check/check_inputs.h"

namespace ps::check {

// Reads the three input files of `folder` (UTF-8; empty: the current
// folder) and checks them. A file that cannot be read is an error finding
// with the generator's "can't create NAME" and makes the status
// kUnreadable. Throws std::exception when the system lacks what a check
// needs (the code page 932 table).
CheckResult checkFolder(const std::string& folder);

// The sheet folders in `folder` when it is a set: it holds none of the
// three input files itself, and the folders in it that hold at least one
// are its sheets, in the order of their names (01, 02, ...). Empty when
// `folder` is not a set.
std::vector<std::string> sheetFoldersOf(const std::string& folder);

// The status of a whole set: that of its worst sheet (statuses rise with
// what they mean, from kNothingFound to kUnreadable).
int setStatus(const std::vector<int>& statuses);

}  // namespace ps::check
