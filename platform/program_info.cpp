#include "platform/program_info.h"

// Both come from the build (CMakeLists.txt): the project's version and the
// system it builds for.
#ifndef PROFILE_SHEET_VERSION
#error "PROFILE_SHEET_VERSION is set by the build"
#endif

namespace ps::platform {

std::string versionLine(std::string_view program) {
  return std::string(program) + " " PROFILE_SHEET_VERSION " (" PROFILE_SHEET_BUILT_FOR ")\n";
}

}  // namespace ps::platform
