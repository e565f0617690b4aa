// Reading an input file whole.
#pragma once

#include <string>

namespace ps {

// Appends the bytes of the file `name` to `contents`; false when it cannot
// be opened or read (a folder of that name, a read error), which every
// program treats alike.
bool readWholeFile(const char* name, std::string& contents);

// An input file that may be left out: absent when no file of that name
// exists; unreadable when one exists but cannot be opened or read (a folder
// of that name, a read error).
enum class OptionalFile { absent, read, unreadable };
OptionalFile readOptionalFile(const char* name, std::string& contents);

}  // namespace ps
