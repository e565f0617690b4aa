// Where profile-sheet-import writes a set, and the refusals that say what
// to do instead when it cannot write there. All before anything is read.
#pragma once

#include <string>

namespace ps::import {

// The folder for the set of `roadFile` when no OUTDIR is given (as when a
// road file is dropped onto the program in Explorer): beside the road
// file, named after it without its extension (道路.xml: 道路), or with -2,
// -3, ... added when that name is taken. Refuses (landxml::ImportRefused)
// when every name up to -999 is.
std::string defaultOutputFolder(const std::string& roadFile);

// Refuses (landxml::ImportRefused) an OUTDIR the set cannot be written to,
// with what to do instead:
// - an existing file ending in .xml: the arguments were given the wrong
//   way round; the message gives them in the right order;
// - anything else that exists: another name to use, or the advice to
//   delete it;
// - a folder to create it in that does not exist, or is no folder: named.
void checkOutputFolder(const std::string& roadFile, const std::string& outDir);

// A path as the importer's messages show it: the platform's separators, in
// Shift-JIS with '?' for what Shift-JIS lacks.
std::string shownPath(const std::string& utf8Path);

}  // namespace ps::import
