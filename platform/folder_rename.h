// Giving a finished folder its name without ever replacing what is there.
#pragma once

#include <filesystem>

namespace ps::platform {

// Renames the folder `from` to `to`, which must not exist: false when
// anything is at `to` (an empty folder too, which a plain rename would
// replace) or the rename fails. The test and the rename are one step where
// the system offers it (Linux, Windows), so a folder that appears meanwhile
// is never replaced.
bool renameFolderNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace ps::platform
