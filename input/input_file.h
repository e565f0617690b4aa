// Reading an input file whole.
#pragma once

#include <string>

namespace ps {

// Appends the bytes of the file at `path` (UTF-8) to `contents`; false when
// it cannot be opened or read (a folder of that name, a read error), which
// every program treats alike.
bool readWholeFile(const std::string& path, std::string& contents);

}  // namespace ps
