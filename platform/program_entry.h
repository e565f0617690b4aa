// The entry of every program. platform/program_entry.cpp holds `main`
// (`wmain` on Windows, where the command line is read as wide characters,
// so that any name Windows allows arrives whole) and calls the program's
// own programMain with its arguments in UTF-8.
#pragma once

#include <string>
#include <vector>

namespace ps {

// Defined by each program: the arguments after the program's name, in
// UTF-8 (on Linux as the system passes them). Returns the exit status.
int programMain(const std::vector<std::string>& arguments);

}  // namespace ps
