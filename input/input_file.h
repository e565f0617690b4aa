// Reading an input file whole.
#pragma once

#include <string>

namespace ps {

// Appends the bytes of the file at `path` (UTF-8) to `contents`; false when
// it cannot be opened or read (a folder of that name, a read error), which
// every program treats alike.
bool readWholeFile(const std::string& path, std::string& contents);

// An input file that may be left out: absent when no file of that name
// exists; unreadable when one exists but cannot be opened or read (a folder
// of that name, a read error).
enum class OptionalFile { absent, read, unreadable };
OptionalFile readOptionalFile(const std::string& path, std::string& contents);

}  // namespace ps
