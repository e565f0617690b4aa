// What --version prints, the same way for every program.
#pragma once

#include <string>
#include <string_view>

namespace ps::platform {

// "<program> <version> (<system> <processor>)\n": the project's version
// and the system the program was built for, e.g.
// "profile-sheet 1.0.0 (Windows x86_64)".
std::string versionLine(std::string_view program);

}  // namespace ps::platform
